#include "core/masterdata/horse_view.h"

#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::masterdata {
namespace {

namespace layout = store::layout;
namespace head = layout::head;
namespace ra = layout::ra;
namespace se = layout::se;
namespace um = layout::um;
using text::FieldAt;
using text::Format;
using text::Sj;

constexpr int kVenueStyle = 3;      // three-character venue names
constexpr size_t kTitleBytes = 24;  // name bytes of the detail panel's title
constexpr size_t kNameBytes = 18;   // name bytes of the table and the blocks
constexpr bool kBlankZero = true;

std::string Field(std::string_view record, text::FieldPos f) {
    return std::string(FieldAt(record, f));
}

// `FormatWidth` with a zero shown as nothing.
std::string Width(std::string_view record, text::FieldPos f, int width) {
    return store::FormatWidth(FieldAt(record, f), width, kBlankZero);
}

// `text` padded with blanks and cut to `width` bytes.
std::string Fixed(std::string_view text, std::size_t width) {
    return text::PadRight(text, width).substr(0, width);
}

bool Empty(std::string_view s) {
    return text::TrimBlanks(s).empty();
}

// "yyyy/mm/dd" of the run's race key.
std::string RunDate(std::string_view s) {
    return Field(s, head::kYear) + "/" + Field(s, head::kMonth) + "/" + Field(s, head::kDay);
}

// The going of the race: the turf going when it reads 1 or more, else the dirt
// going.
std::string Going(std::string_view r) {
    const text::FieldPos code =
        text::FieldInt(r, ra::kTurfGoing) >= 1 ? ra::kTurfGoing : ra::kDirtGoing;
    return store::GoingName(FieldAt(r, code), 0);
}

std::string CarriedWeight(std::string_view s) {
    const std::string w = Field(s, se::kCarriedWeight);
    return w.substr(0, 2) + "." + w.substr(2);
}

std::string Last3F(std::string_view s) {
    const std::string t = Width(s, se::kLast3F, 3);
    if (Empty(t)) return t;
    return t.substr(0, 2) + "." + t.substr(2);
}

std::string RaceTime(std::string_view s) {
    const std::string t = Width(s, se::kTime, 4);
    if (Empty(t)) return t;
    return t.substr(0, 1) + "." + t.substr(1, 2) + "." + t.substr(3);
}

std::string WinOdds(std::string_view s) {
    const std::string t = Width(s, se::kWinOdds, 4);
    if (Empty(t)) return t;
    return Format("%5.1f", static_cast<double>(text::FieldInt(s, se::kWinOdds)) / 10.0);
}

std::string WeightChange(std::string_view s) {
    return Field(s, se::kWeightChangeSign) +
           store::FormatWidth(FieldAt(s, se::kWeightChange), 3, !kBlankZero);
}

// The race part shared by column 6 to 11 and the Labelkaisai line.
std::string RaceClassTexts(std::string_view r) {
    return Field(r, ra::kRaceNameShort3) + " " + store::GradeName(FieldAt(r, ra::kGrade)) + " " +
           store::RaceTypeLongName(FieldAt(r, ra::kRaceType)) + " " +
           store::RaceSymbolName(FieldAt(r, ra::kRaceSymbol)) + " " +
           store::WeightTypeName(FieldAt(r, ra::kWeightType)) + " " +
           store::ConditionName(FieldAt(r, ra::kConditionYoungest));
}

std::vector<long long> UmCounts(std::string_view m, int block) {
    std::vector<long long> counts;
    for (int place = 1; place <= um::kFinishPlaces; ++place) {
        counts.push_back(text::FieldInt(m, um::kFinishCount(block, place)));
    }
    return counts;
}

struct CountLine {
    const char* name;
    const char* prefix;
    int block;
};

void AddCountLines(std::vector<ViewItem>& items, std::string_view m,
                   std::initializer_list<CountLine> lines, Separator separator) {
    for (const CountLine& l : lines) {
        items.push_back(Line(l.name, FinishCountLine(l.prefix, UmCounts(m, l.block), separator)));
    }
}

std::string PrizeLine(std::string_view m, const char* const labels[3], const int totals[3]) {
    std::string out;
    for (int i = 0; i < 3; ++i) {
        out += Sj(labels[i]) + ThousandsOfYen(text::FieldInt(m, um::kPrizeTotal(totals[i])));
    }
    return out + Sj("千円");
}

std::vector<ViewItem> InfoTab(std::string_view m) {
    std::vector<ViewItem> items;
    items.push_back(Heading("【脚質傾向】"));
    std::string styles;
    const char* const styleLabels[] = {"[逃]", "　　[先]", "　　[差]", "　　[追]"};
    for (int s = 1; s <= um::kRunningStyleCount; ++s) {
        styles += Sj(styleLabels[s - 1]) +
                  Format("%3lld", static_cast<long long>(text::FieldInt(m, um::kRunningStyle(s))));
    }
    items.push_back(Line("Ashishittsu", styles));

    items.push_back(Heading("【賞金】"));
    const char* const flat[] = {"平地本賞金:", "千円　　平地付加賞金:", "千円　　平地拾得賞金:"};
    const int flatTotals[] = {um::kFlatPrizeTotal, um::kFlatAddedTotal, um::kFlatEarnedTotal};
    items.push_back(Line("ShokinHeiti", PrizeLine(m, flat, flatTotals)));
    const char* const jump[] = {"障害本賞金:", "千円　　障害付加賞金:", "千円　　障害拾得賞金:"};
    const int jumpTotals[] = {um::kJumpPrizeTotal, um::kJumpAddedTotal, um::kJumpEarnedTotal};
    items.push_back(Line("ShokinShogai", PrizeLine(m, jump, jumpTotals)));

    items.push_back(Heading("【着回数】"));
    AddCountLines(items, m,
                  {{"chakSogo", "総合:[1着]", um::kAll}, {"chakChuo", "中央:[1着]", um::kCentral}},
                  Separator::kWide);

    items.push_back(Heading("【馬場別着回数】"));
    items.push_back(SubHeading(" <芝>"));
    AddCountLines(items, m,
                  {{"TurfSt", "芝直:[1着]", um::kTurfStraight},
                   {"TurfRi", "芝右:[1着]", um::kTurfRight},
                   {"TurfLe", "芝左:[1着]", um::kTurfLeft}},
                  Separator::kNarrow);
    items.push_back(SubHeading(" <ﾀﾞｰﾄ>"));
    AddCountLines(items, m,
                  {{"DirtSt", "ダ直:[1着]", um::kDirtStraight},
                   {"DirtRi", "ダ右:[1着]", um::kDirtRight},
                   {"DirtLe", "ダ左:[1着]", um::kDirtLeft}},
                  Separator::kNarrow);
    items.push_back(SubHeading(" <障害>"));
    AddCountLines(items, m, {{"Shogai", "障害:[1着]", um::kJump}}, Separator::kNarrow);

    items.push_back(Heading("【馬場別着回数】"));
    items.push_back(SubHeading(" <芝>"));
    AddCountLines(items, m,
                  {{"TurfRyo", "芝良:[1着]", um::kTurfGood},
                   {"TurfYa", "芝稍:[1着]", um::kTurfYielding},
                   {"TurfOmo", "芝重:[1着]", um::kTurfSoft},
                   {"TurfFuryo", "芝不:[1着]", um::kTurfHeavy}},
                  Separator::kNarrow);
    items.push_back(SubHeading(" <ﾀﾞｰﾄ>"));
    AddCountLines(items, m,
                  {{"DirtRyo", "ダ良:[1着]", um::kDirtGood},
                   {"DirtYa", "ダ稍:[1着]", um::kDirtYielding},
                   {"DirtOmo", "ダ重:[1着]", um::kDirtSoft},
                   {"DirtFuryo", "ダ不:[1着]", um::kDirtHeavy}},
                  Separator::kNarrow);
    items.push_back(SubHeading(" <障害>"));
    AddCountLines(items, m,
                  {{"ShogaiRyo", "障良:[1着]", um::kJumpGood},
                   {"ShogaiYa", "障稍:[1着]", um::kJumpYielding},
                   {"ShogaiOmo", "障重:[1着]", um::kJumpSoft},
                   {"ShogaiFuryo", "障不:[1着]", um::kJumpHeavy}},
                  Separator::kNarrow);

    items.push_back(Heading("【距離別着回数】"));
    items.push_back(SubHeading(" <芝>"));
    AddCountLines(items, m,
                  {{"chakH1600", "<～1600m>芝:[1着]", um::kTurfUpTo1600},
                   {"chakH2200", "<～2200m>芝:[1着]", um::kTurfUpTo2200},
                   {"chakH2201", "<2201m～>芝:[1着]", um::kTurfFrom2201}},
                  Separator::kNarrow);
    items.push_back(SubHeading(" <ダート>"));
    AddCountLines(items, m,
                  {{"chakD1600", "<～1600m>ダ:[1着]", um::kDirtUpTo1600},
                   {"chakD2200", "<～2200m>ダ:[1着]", um::kDirtUpTo2200},
                   {"chakD2201", "<2201m～>ダ:[1着]", um::kDirtFrom2201}},
                  Separator::kNarrow);
    return items;
}

std::string NameLabel(std::string_view m) {
    return CleanText(FieldAt(m, um::kHorseName)) + " [" + Field(m, um::kBirthYear) + Sj("年") +
           Field(m, um::kBirthMonth) + Sj("月") + Field(m, um::kBirthDay) + Sj("日生") + "/" +
           store::HorseSymbolName(FieldAt(m, um::kHorseSymbol)) + "/" +
           store::SexName(FieldAt(m, um::kSex)) + "/" +
           store::CoatColourName(FieldAt(m, um::kCoat)) + "/" +
           store::BreedName(FieldAt(m, um::kBreed)) + "/" +
           store::AffiliationName(FieldAt(m, um::kTrainingCentre)) + Sj("/厩舎:") +
           Field(m, um::kTrainerShort) + "]";
}

std::string NameLabel2(std::string_view m) {
    return Sj("　　　　　　　　　[") + CleanText(FieldAt(m, um::kInvitingRegion)) +
           Sj("  生産者:") + CleanText(FieldAt(m, um::kBreeder)) + Sj("/産地:") +
           CleanText(FieldAt(m, um::kBreedingPlace)) + Sj("/馬主:") +
           CleanText(FieldAt(m, um::kOwner)) + "]";
}

}  // namespace

const std::array<PastRunColumn, kPastRunColumns>& PastRunColumns() {
    static const std::array<PastRunColumn, kPastRunColumns> kColumns{{
        {"No", 25},     {"年月日", 70},   {"場所", 30},    {"回", 20},        {"日", 20},
        {"R", 20},      {"ﾚｰｽ名", 45},    {"ｸﾞﾚｰﾄﾞ", 30},  {"競争種類", 100}, {"記号", 100},
        {"重量", 30},   {"最若条件", 55}, {"1着賞金", 45}, {"距離", 30},      {"ﾄﾗｯｸ", 30},
        {"登録", 30},   {"出走", 30},     {"入線", 30},    {"馬場", 30},      {"天候", 30},
        {"馬名", 110},  {"馬", 20},       {"枠", 20},      {"性", 20},        {"斤量", 30},
        {"ﾌﾞﾘﾝｶ", 30},  {"騎手", 50},     {"見習", 35},    {"調教師", 50},    {"異常区分", 50},
        {"馬体重", 35}, {"増減", 30},     {"1角", 20},     {"2角", 20},       {"3角", 20},
        {"4角", 20},    {"前3F", 25},     {"後3F", 25},    {"ﾀｲﾑ", 38},       {"馬身差", 55},
        {"入線", 25},   {"確定", 25},     {"人気", 25},    {"単ｵｯｽﾞ", 35},    {"本賞金", 45},
        {"付加賞", 45}, {"ﾀｲﾑ差", 35},    {"１着馬", 110},
    }};
    return kColumns;
}

std::array<std::string, kPastRunColumns> PastRunRow(const PastRun& run, int r) {
    const std::string_view s = run.se;
    const std::string_view a = run.ra;
    std::array<std::string, kPastRunColumns> c;
    c[0] = Format("%3d", r);
    c[1] = RunDate(s);
    c[2] = store::VenueName(FieldAt(s, head::kVenue), kVenueStyle);
    c[3] = Width(s, head::kMeeting, 2);
    c[4] = Width(s, head::kDayOfMeeting, 2);
    c[5] = Width(s, head::kRaceNumber, 2);
    c[6] = Field(a, ra::kRaceNameShort3);
    c[7] = store::GradeName(FieldAt(a, ra::kGrade));
    c[8] = store::RaceTypeLongName(FieldAt(a, ra::kRaceType));
    c[9] = store::RaceSymbolName(FieldAt(a, ra::kRaceSymbol));
    c[10] = store::WeightTypeName(FieldAt(a, ra::kWeightType));
    c[11] = store::ConditionName(FieldAt(a, ra::kConditionYoungest));
    c[12] = store::FormatTenths(FieldAt(a, ra::kPrize(1)));
    c[13] = store::PadNumber(FieldAt(a, ra::kDistance));
    c[14] = store::TrackShortName(FieldAt(a, ra::kTrack));
    c[15] = Width(a, ra::kEntered, 2);
    c[16] = Width(a, ra::kStarters, 2);
    c[17] = Width(a, ra::kFinishers, 2);
    c[18] = Going(a);
    c[19] = store::WeatherName(FieldAt(a, ra::kWeather));
    c[20] = std::string(text::FirstBytes(FieldAt(s, se::kHorseName), kNameBytes));
    c[21] = Width(s, se::kHorseNumber, 2);
    c[22] = Field(s, se::kBracket);
    c[23] = store::SexName(FieldAt(s, se::kSex));
    c[24] = CarriedWeight(s);
    c[25] = store::FlagMark(FieldAt(s, se::kBlinkers));
    c[26] = Field(s, se::kJockeyShort);
    c[27] = store::ApprenticeReduction(FieldAt(s, se::kApprentice));
    c[28] = Field(s, se::kTrainerShort);
    c[29] = store::AbnormalityName(FieldAt(s, se::kAbnormality));
    c[30] = Width(s, se::kBodyWeight, 3);
    c[31] = WeightChange(s);
    for (int corner = 1; corner <= se::kCornerCount; ++corner) {
        c[static_cast<size_t>(31 + corner)] = Width(s, se::kCorner(corner), 2);
    }
    c[kFirst3FColumn] = {};
    c[37] = Last3F(s);
    c[38] = RaceTime(s);
    c[39] = store::MarginName(FieldAt(s, se::kMargin));
    c[40] = Width(s, se::kPassingOrder, 2);
    c[41] = Width(s, se::kFinish, 2);
    c[42] = Width(s, se::kWinPopularity, 2);
    c[43] = WinOdds(s);
    c[44] = store::FormatTenths(FieldAt(s, se::kPrizeWon));
    c[45] = store::FormatTenths(FieldAt(s, se::kAddedPrizeWon));
    c[46] = store::FormatRaceTime(FieldAt(s, se::kTimeBehind));
    c[47] = std::string(text::FirstBytes(FieldAt(s, se::kOpponentName), kNameBytes));
    return c;
}

PastRunDetail PastRunDetailOf(const PastRun& run, int r) {
    const std::string_view s = run.se;
    const std::string_view a = run.ra;
    const std::string before = Sj("(前") + std::to_string(r) + Sj("走)");
    PastRunDetail d;
    d.LabelUmaTitle =
        std::string(text::FirstBytes(FieldAt(s, se::kHorseName), kTitleBytes)) + before;
    d.blockTitle = std::string(text::FirstBytes(FieldAt(s, se::kHorseName), kNameBytes)) + before;
    d.Labelkaisai = RunDate(s) + "/" + store::VenueName(FieldAt(s, head::kVenue), kVenueStyle) +
                    Width(s, head::kMeeting, 2) + Sj("回") + Width(s, head::kDayOfMeeting, 2) +
                    Sj("日") + Width(s, head::kRaceNumber, 2) + "R " + RaceClassTexts(a);
    d.Labelcource = Sj("1着賞金:") + store::FormatTenths(FieldAt(a, ra::kPrize(1))) + Sj("千円 ") +
                    store::TrackShortName(FieldAt(a, ra::kTrack)) + " " +
                    store::PadNumber(FieldAt(a, ra::kDistance)) + "m" +
                    store::PadNumber(FieldAt(a, ra::kEntered)) + Sj("頭[出走:") +
                    store::PadNumber(FieldAt(a, ra::kStarters)) + Sj("頭/入線:") +
                    store::PadNumber(FieldAt(a, ra::kFinishers)) + Sj("頭] ") + Going(a) + " " +
                    store::WeatherName(FieldAt(a, ra::kWeather));
    d.LabelUma = Sj("馬番:") + store::PadNumber(FieldAt(s, se::kHorseNumber)) + Sj(" 枠番:") +
                 Field(s, se::kBracket) + " (" + store::SexName(FieldAt(s, se::kSex)) +
                 Sj(") ﾌﾞﾘﾝｶ:") + store::FlagMark(FieldAt(s, se::kBlinkers)) + Sj(" 騎手:") +
                 Field(s, se::kJockeyShort) + " " + CarriedWeight(s) + "kg " +
                 store::ApprenticeReduction(FieldAt(s, se::kApprentice)) + Sj(" 調教師:") +
                 Field(s, se::kTrainerShort);
    std::string corners;
    for (int corner = 1; corner <= se::kCornerCount; ++corner) {
        if (corner > 1) corners += "-";
        corners += store::PadNumber(FieldAt(s, se::kCorner(corner)));
    }
    d.Labeluma2 = store::AbnormalityName(FieldAt(s, se::kAbnormality)) + Sj(" 馬体重:") +
                  Width(s, se::kBodyWeight, 3) + "kg(" + WeightChange(s) + "kg) " + Sj("ｺｰﾅｰ:[") +
                  corners + Sj("] 前半3F:") + Fixed({}, 4) + Sj(" 後半3F:") + Fixed(Last3F(s), 4) +
                  Sj(" 走破ﾀｲﾑ:") + Fixed(RaceTime(s), 6) + Sj(" 着差:") +
                  Fixed(store::FormatRaceTime(FieldAt(s, se::kTimeBehind)), 3) + Sj("秒(") +
                  store::MarginName(FieldAt(s, se::kMargin)) + ")";
    d.Label3Dj12 = Sj("確定着順:") + Width(s, se::kFinish, 2);
    d.Label3Dj14 = Sj("入線着順:") + Width(s, se::kPassingOrder, 2);
    d.Label3Dj15 = Sj("人気順:") + Width(s, se::kWinPopularity, 2);
    d.finishInk = analysis::PlaceInk(static_cast<int>(text::FieldInt(s, se::kFinish)));
    d.passingInk = analysis::PlaceInk(static_cast<int>(text::FieldInt(s, se::kPassingOrder)));
    d.popularityInk = analysis::PlaceInk(static_cast<int>(text::FieldInt(s, se::kWinPopularity)));
    d.LabelUma3 = Sj("単ｵｯｽﾞ:") + WinOdds(s) + Sj(" 本賞金:") +
                  store::FormatTenths(FieldAt(s, se::kPrizeWon)) + Sj(" 付加賞:") +
                  store::FormatTenths(FieldAt(s, se::kAddedPrizeWon)) + Sj("(単位:各千円)");
    d.LabelAvTime = Sj("1着馬:") + Field(s, se::kOpponentName);
    d.blockWinner =
        Sj("  1着馬:") + std::string(text::FirstBytes(FieldAt(s, se::kOpponentName), kNameBytes));
    return d;
}

HorseView MakeHorseView(std::string_view m, const std::vector<PastRun>& runs) {
    HorseView v;
    v.NameLabel = NameLabel(m);
    v.NameLabel2 = NameLabel2(m);
    v.info = InfoTab(m);
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const int r = static_cast<int>(k) + 1;
        v.rows.push_back(PastRunRow(runs[k], r));
        v.details.push_back(PastRunDetailOf(runs[k], r));
    }
    v.UmameiKakosoLabel = Field(m, um::kHorseName) + Sj("(過去走データ数：") +
                          std::to_string(runs.size()) + Sj("走)");
    return v;
}

std::string PastRunsClipboardText(const HorseView& view) {
    std::string out = view.NameLabel + "\r\n" + view.NameLabel2 + "\r\n";
    auto addRow = [&out](const auto& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += '\t';
            out += cells[c];
        }
        out += "\r\n";
    };
    std::array<std::string, kPastRunColumns> headings;
    for (std::size_t c = 0; c < headings.size(); ++c) headings[c] = Sj(PastRunColumns()[c].heading);
    addRow(headings);
    for (const auto& row : view.rows) addRow(row);
    return out;
}

}  // namespace quindle::masterdata
