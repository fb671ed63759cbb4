#include "core/analysis/past_rides.h"

#include "core/analysis/race_card.h"
#include "core/analysis/riding_pattern.h"
#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::analysis {
namespace {

namespace head = store::layout::head;
namespace ra = store::layout::ra;
namespace se = store::layout::se;
using text::Sj;
using Anchor = TextRun::Anchor;

// Pixels between the start of a cell's lines and the texts placed further on.
constexpr int kResultPopularityX = 35;
constexpr int kRunWeightX = 50;
constexpr int kPatternFromRight = 60;
constexpr int kFinishFromRight = 15;
// Column 3 starts its lines further in and drops its second line.
constexpr int kResultIndent = 5;
constexpr int kResultSecondLineDrop = 6;
// Column 2 draws its last line one pixel closer.
constexpr int kNameLastLineNudge = -1;

constexpr int kBoldPoints = 13;  // bracket and horse number
constexpr int kNamePoints = 10;
constexpr int kTextPoints = 8;

// "%2d" of a number, or one blank when it is 0.
std::string NumberOrBlank(std::int64_t n) {
    return n == 0 ? std::string(" ") : text::Format("%2lld", static_cast<long long>(n));
}

TextRun Run(std::string text, Ink ink, int points, bool bold) {
    TextRun run;
    run.text = std::move(text);
    run.ink = ink;
    run.points = points;
    run.bold = bold;
    return run;
}

TextRun At(TextRun run, Anchor anchor, int x) {
    run.anchor = anchor;
    run.x = x;
    return run;
}

TextLine Line(std::vector<TextRun> runs, int nudge = 0) {
    return TextLine{std::move(runs), nudge};
}

PaintedCell BracketCell(const model::SeImage& runner) {
    const int bracket = runner.Int32(se::kBracket);
    PaintedCell cell;
    cell.fill = BracketFill(bracket);
    const Ink ink = bracket == 1 || bracket == 5 ? Ink::Black : Ink::White;
    cell.lines.push_back(Line({Run(NumberOrBlank(bracket), ink, kBoldPoints, true)}));
    return cell;
}

PaintedCell HorseCell(const model::SeImage& runner, const model::TOutData& out, int slot) {
    PaintedCell cell;
    cell.fill = out.Tracked[static_cast<std::size_t>(slot)] == 1 ? Fill::Tracked : Fill::Tooltip;
    cell.lines.push_back(
        Line({Run(NumberOrBlank(runner.Int(se::kHorseNumber)), Ink::Black, kBoldPoints, true)}));
    return cell;
}

PaintedCell NameCell(const model::SeImage& runner, const model::TOutData& out, int slot) {
    PaintedCell cell;
    cell.classBox = ClassMoveFill(out.ClassMove[static_cast<std::size_t>(slot)], Fill::Tooltip);

    const std::string name =
        std::string(text::TrimBlanks(store::StripFullWidthSpaces(runner.Field(se::kHorseName))));
    cell.lines.push_back(Line({Run(name, Ink::Black, kNamePoints, true)}));

    std::string pattern = PatternText(out, slot);
    if (pattern.empty()) pattern = " ";
    cell.lines.push_back(Line({
        Run(SexAgeText(runner), Ink::Black, kTextPoints, false),
        At(Run(pattern, Ink::Blue, kTextPoints, false), Anchor::Right, kPatternFromRight),
    }));

    const std::string jockey =
        std::string(runner.Field(se::kJockeyShort)) + " " + WeightText(runner) + "kg ";
    cell.lines.push_back(Line({Run(jockey, Ink::Black, kTextPoints, false)}, kNameLastLineNudge));
    return cell;
}

// "%2d" + suffix in the place's ink, or a blank when below 1.
TextRun PlaceRun(std::int64_t place, const std::string& suffix) {
    if (place < 1) return Run(" ", Ink::Black, kTextPoints, true);
    return Run(text::Format("%2lld", static_cast<long long>(place)) + suffix,
               PlaceInk(static_cast<int>(place)), kTextPoints, true);
}

PaintedCell ResultCell(const model::SeImage& runner) {
    PaintedCell cell;
    cell.indent = kResultIndent;
    cell.lines.push_back(Line({
        PlaceRun(runner.Int(se::kFinish), Sj("着")),
        At(PlaceRun(runner.Int(se::kWinPopularity), Sj("人")), Anchor::Left, kResultPopularityX),
    }));
    std::string odds = FinalOddsText(runner.Field(se::kWinOdds));
    if (!text::IsBlank(odds)) odds = Sj("単ｵｯｽﾞ") + odds;
    cell.lines.push_back(Line({Run(odds, Ink::Black, kTextPoints, false)}, kResultSecondLineDrop));
    return cell;
}

}  // namespace

const std::array<std::string, kPastRideColumns>& PastRideHeadings() {
    static const auto kHeadings = [] {
        std::array<std::string, kPastRideColumns> h{Sj("枠"), Sj("馬"), Sj("馬名"), Sj("結果")};
        h[kPastFirstRunColumn] = Sj("前走");
        for (int k = 1; k < model::kPastRuns; ++k) {
            h[static_cast<std::size_t>(kPastFirstRunColumn + k)] =
                Sj("前走") + std::to_string(k + 1);
        }
        return h;
    }();
    return kHeadings;
}

std::string WeightText(const model::SeImage& seImage) {
    return store::FormatTenths(seImage.Field(se::kCarriedWeight));
}

PaintedCell PastRunCell(const model::RaceDay& day, int race, int slot, int past) {
    const model::RaImage& pastRa = day.PastRA(race, slot, past);
    const model::SeImage& pastSe = day.PastSE(race, slot, past);
    PaintedCell cell;
    if (text::IsBlank(pastRa.Field(head::kYear))) {
        cell.bottomLine = false;  // no run: an empty column
        return cell;
    }
    if (pastRa.Int(head::kRaceNumber) <= 0) return cell;

    const std::string year(pastRa.Field(head::kYear));
    const std::string line1 =
        year.substr(2) + std::string(pastRa.Field(head::kMonthDay)) +
        store::VenueName(pastRa.Field(head::kVenue), 1) + " " +
        store::RaceClassLabel(pastRa.Field(ra::kConditionYoungest), pastRa.Field(ra::kGrade),
                              pastRa.Field(ra::kRaceNameShort3));
    cell.lines.push_back(Line({Run(line1, Ink::Black, kTextPoints, false)}));

    const std::string track = store::TrackShortName(pastRa.Field(ra::kTrack)).substr(0, 2);
    const std::string line2 =
        text::Format("%2lld", static_cast<long long>(pastRa.Int(ra::kEntered))) + Sj("ﾄ ") + track +
        std::string(pastRa.Field(ra::kDistance)) + " " +
        text::Format("%2lld", static_cast<long long>(pastSe.Int(se::kWinPopularity))) + Sj("人");
    const std::string_view finishField = pastSe.Field(se::kFinish);
    const std::int64_t finish = pastSe.Int(se::kFinish);
    const bool noFinish = text::IsBlank(finishField) || finishField == "00";
    TextRun finishRun = noFinish ? Run("  ", Ink::Black, kTextPoints, true)
                                 : Run(text::Format("%2lld", static_cast<long long>(finish)),
                                       PlaceInk(static_cast<int>(finish)), kTextPoints, true);
    cell.lines.push_back(Line({
        Run(line2, Ink::Black, kTextPoints, false),
        At(std::move(finishRun), Anchor::Right, kFinishFromRight),
    }));

    const bool todaysJockey =
        pastSe.Field(se::kJockeyCode) == day.RunnerSE(race, slot).Field(se::kJockeyCode);
    const std::string margin =
        WeightText(pastSe) + " " + store::FormatRaceTime(pastSe.Field(se::kTimeBehind));
    cell.lines.push_back(Line({
        Run(std::string(pastSe.Field(se::kJockeyShort)), todaysJockey ? Ink::Red : Ink::Black,
            kTextPoints, false),
        At(Run(margin, Ink::Black, kTextPoints, false), Anchor::Left, kRunWeightX),
    }));
    return cell;
}

PaintedCell PastRideCell(const model::RaceDay& day, int race, int slot, int column) {
    const model::SeImage& runner = day.RunnerSE(race, slot);
    const model::TOutData& out = day.OutData(race);
    switch (column) {
        case kPastBracketColumn:
            return BracketCell(runner);
        case kPastHorseColumn:
            return HorseCell(runner, out, slot);
        case kPastNameColumn:
            return NameCell(runner, out, slot);
        case kPastResultColumn:
            return ResultCell(runner);
        default:
            break;
    }
    if (column >= kPastFirstRunColumn && column < kPastRideColumns) {
        return PastRunCell(day, race, slot, column - kPastFirstRunColumn);
    }
    return PaintedCell{};  // the two columns without width
}

PastRideRow PastRideRowOf(const model::RaceDay& day, int race, int slot) {
    PastRideRow row;
    for (int c = 0; c < kPastRideColumns; ++c) {
        row[static_cast<std::size_t>(c)] = PastRideCell(day, race, slot, c);
    }
    return row;
}

std::vector<PastRideRow> PastRideRows(const model::RaceDay& day, int race) {
    const int count = EnteredSlots(day.RaceRA(race));
    std::vector<PastRideRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int slot = 0; slot < count; ++slot) rows.push_back(PastRideRowOf(day, race, slot));
    return rows;
}

}  // namespace quindle::analysis
