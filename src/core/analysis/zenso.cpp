#include "core/analysis/zenso.h"

#include <algorithm>

#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

namespace layout = store::layout;
namespace head = layout::head;
namespace ra = layout::ra;
namespace se = layout::se;
using text::FieldAt;
using text::Sj;

// Venue names in status texts and labels have two characters.
constexpr int kVenueStyle = 2;

std::string FinishText(std::int32_t finish) {
    return finish >= 1 && finish <= model::kRunners ? TwoDigits(finish) : std::string();
}

// "2025/01/05中山 3R" of a next-run key, empty when it has no year.
std::string NextRaceText(std::string_view key) {
    if (text::ReadInt(key.substr(0, std::min<std::size_t>(4, key.size()))) <= 0) return {};
    const auto part = [key](std::size_t pos, std::size_t len) {
        return pos < key.size() ? std::string(key.substr(pos, len)) : std::string();
    };
    return part(0, 4) + "/" + part(4, 2) + "/" + part(6, 2) +
           store::VenueName(part(8, 2), kVenueStyle) + TwoDigits(text::ReadInt(part(10, 2))) + "R";
}

std::string NextRaceNameText(const model::TZensoMembers& members, std::size_t k) {
    const std::string_view name = members.NextRaceName[k].View();
    if (!text::TrimBlanks(store::StripFullWidthSpaces(name)).empty()) return std::string(name);
    return store::ConditionName(members.NextCond[k].View());
}

// Background and alignment shared by the previous-race grids.
CellStyle RaceListStyle(std::string_view bracketCell, int column) {
    CellStyle style;
    if (column == 0) style.fill = BracketFill(static_cast<int>(text::ReadInt(bracketCell)));
    if (column == 1) style.fill = Fill::Tooltip;
    if (column == 2) style.align = Align::Left;
    return style;
}

}  // namespace

std::string_view First18(std::string_view name) {
    return name.substr(0, std::min(name.size(), model::kNameBytes));
}

std::string TwoDigits(std::int64_t n) {
    return text::Format("%2lld", static_cast<long long>(n));
}

const ZensoGridRow& ZensoHeadings() {
    static const ZensoGridRow kHeadings{Sj("枠"),   Sj("馬"),           Sj("馬名"), Sj("前着"),
                                        Sj("次走"), Sj("次走レース名"), Sj("次着")};
    return kHeadings;
}

const std::array<std::string, kRunnerListColumns>& RunnerListHeadings() {
    static const auto kHeadings = [] {
        std::array<std::string, kRunnerListColumns> h;
        std::copy_n(CardHeadings().begin(), kRunnerListColumns, h.begin());
        return h;
    }();
    return kHeadings;
}

ZensoView PreviousRaceView(const model::RaceDay& day, int race, int zensoRow) {
    ZensoView view;
    const int slot = zensoRow - 1;
    if (slot < 0 || slot >= model::kRunners) return view;
    const model::RaImage& prevRa = day.PastRA(race, slot, 0);
    const int entered = std::min(prevRa.Int32(ra::kEntered), model::kRunners);
    if (entered <= 0) return view;

    const model::TZensoMembers& members =
        day.OutData(race).ZensoMembers[static_cast<std::size_t>(slot)];
    view.selUmaLabel = std::string(First18(day.RunnerSE(race, slot).Field(se::kHorseName)));
    view.selUmaZensoLabel = std::string(prevRa.Field(head::kYear)) + Sj("年") +
                            std::string(prevRa.Field(head::kMonth)) + Sj("月") +
                            std::string(prevRa.Field(head::kDay)) + Sj("日") +
                            store::VenueName(prevRa.Field(head::kVenue), kVenueStyle) +
                            TwoDigits(prevRa.Int(head::kRaceNumber)) + "R " +
                            std::string(prevRa.Field(ra::kRaceNameShort6));
    view.kachiAgariLabel = TwoDigits(members.UpCount);

    view.rows.reserve(static_cast<std::size_t>(entered));
    for (int k = 0; k < entered; ++k) {
        const auto kk = static_cast<std::size_t>(k);
        ZensoGridRow row;
        row[kZensoBracket] = TwoDigits(store::BracketNumber(entered, k + 1));
        row[kZensoHorse] = TwoDigits(k + 1);
        row[kZensoName] = members.Name[kk].Str();
        row[kZensoPrevFinish] = FinishText(members.PrevFinish[kk]);
        row[kZensoNextRace] = NextRaceText(members.NextRace[kk].View());
        row[kZensoNextName] = NextRaceNameText(members, kk);
        row[kZensoNextFinish] = FinishText(members.NextFinish[kk]);
        view.rows.push_back(std::move(row));
    }
    return view;
}

CellStyle ZensoHeadingStyle(int column) {
    return {Fill::Heading, Ink::Default, false, column == kZensoName ? Align::Left : Align::Centre};
}

CellStyle ZensoCellStyle(const ZensoGridRow& row, int column) {
    CellStyle style = RaceListStyle(row[kZensoBracket], column);
    if (column == kZensoPrevFinish || column == kZensoNextFinish) {
        style.bold = true;
        style.ink =
            PlaceInk(static_cast<int>(text::ReadInt(row[static_cast<std::size_t>(column)])));
    }
    return style;
}

CellStyle RunnerListCellStyle(const CardRow& row, int column) {
    return RaceListStyle(row[kCardBracket], column);
}

}  // namespace quindle::analysis
