#include "core/masterdata/person_view.h"

#include "core/store/codes.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::masterdata {
namespace {

namespace layout = store::layout;
namespace ks = layout::ks;
namespace ch = layout::ch;
namespace rr = layout::race_ref;
namespace res = layout::results;
using layout::At;
using text::FieldAt;
using text::Sj;

constexpr int kVenueStyle = 3;
constexpr int kKanaHalf = 15;  // the tooltip joins the two halves of the kana name

std::string Field(std::string_view record, text::FieldPos f) {
    return std::string(FieldAt(record, f));
}

// A year that names no race: blank or "0000".
bool NoYear(std::string_view year) {
    const std::string_view y = text::TrimBlanks(year);
    return y.empty() || y == "0000";
}

// "yyyy年mm月dd日" + venue + "01回02日11R/" of a race reference at `pos`.
std::string RaceRefText(std::string_view r, int pos) {
    const std::string monthDay = Field(r, At(pos, rr::kMonthDay));
    return Field(r, At(pos, rr::kYear)) + Sj("年") + monthDay.substr(0, 2) + Sj("月") +
           monthDay.substr(2) + Sj("日") +
           store::VenueName(FieldAt(r, At(pos, rr::kVenue)), kVenueStyle) +
           Field(r, At(pos, rr::kMeeting)) + Sj("回") + Field(r, At(pos, rr::kDayOfMeeting)) +
           Sj("日") + Field(r, At(pos, rr::kRaceNumber)) + "R/";
}

std::vector<ViewItem> FirstRides(std::string_view r) {
    namespace fr = layout::first_ride;
    namespace fw = layout::first_win;
    std::vector<ViewItem> items;
    const struct {
        const char* name;
        const char* heading;
        int course;
    } rides[] = {{"FirstRideLabel", "【初騎乗/平地】", ks::kFlatCourse},
                 {"FirstRideLabel2", "【初騎乗/障害】", ks::kJumpCourse}};
    for (const auto& ride : rides) {
        const int pos = ks::FirstRidePos(ride.course);
        std::string line = Sj(ride.heading);
        if (!NoYear(FieldAt(r, At(pos, rr::kYear)))) {
            line += RaceRefText(r, pos) + Field(r, At(pos, fr::kStarters)) + Sj("頭/") +
                    CleanText(FieldAt(r, At(pos, fr::kHorseName))) + "/" +
                    store::PadNumber(FieldAt(r, At(pos, fr::kFinish))) + Sj("着");
        }
        items.push_back(Line(ride.name, line));
    }
    const struct {
        const char* name;
        const char* heading;
        int course;
    } wins[] = {{"FirstVLabel", "【初勝利/平地】", ks::kFlatCourse},
                {"FirstVLabel2", "【初勝利/障害】", ks::kJumpCourse}};
    for (const auto& win : wins) {
        const int pos = ks::FirstWinPos(win.course);
        std::string line = Sj(win.heading);
        if (!NoYear(FieldAt(r, At(pos, rr::kYear)))) {
            line += RaceRefText(r, pos) + Field(r, At(pos, fw::kStarters)) + Sj("頭/") +
                    Field(r, At(pos, fw::kHorseName));
        }
        items.push_back(Line(win.name, line));
    }
    return items;
}

std::vector<ViewItem> GradedWins(std::string_view r, int (*gradedPos)(int)) {
    namespace gw = layout::graded_win;
    std::vector<ViewItem> items;
    for (int e = 1; e <= gw::kEntries; ++e) {
        const int pos = gradedPos(e);
        std::string line = Sj("－");
        if (!NoYear(FieldAt(r, At(pos, rr::kYear)))) {
            line = RaceRefText(r, pos) + Field(r, At(pos, gw::kRaceNameShort3)) + "/" +
                   store::GradeName(FieldAt(r, At(pos, gw::kGrade))) + "/" +
                   Field(r, At(pos, gw::kStarters)) + Sj("頭/") +
                   CleanText(FieldAt(r, At(pos, gw::kHorseName)));
        }
        items.push_back(Line("LatestVLabel" + std::to_string(e), line));
    }
    return items;
}

std::vector<long long> Counts(std::string_view r, int block, layout::EntryField counts) {
    std::vector<long long> out;
    for (int place = 1; place <= res::kPlaces; ++place) {
        out.push_back(text::FieldInt(r, At(block, res::kCount(counts, place))));
    }
    return out;
}

std::string PrizeLine(std::string_view r, int block, const char* first, const char* second,
                      layout::EntryField prize, layout::EntryField added) {
    return Sj(first) + ThousandsOfYen(text::FieldInt(r, At(block, prize))) + Sj(second) +
           ThousandsOfYen(text::FieldInt(r, At(block, added))) + Sj("千円");
}

std::vector<ViewItem> ResultsTab(std::string_view r, int block, int tab) {
    std::vector<ViewItem> items;
    items.push_back(Line("SetteiNenLabel", tab == res::kAllYears
                                               ? std::string()
                                               : Sj("設定年:") + Field(r, At(block, res::kYear))));
    items.push_back(Heading("【賞金】"));
    items.push_back(Line("ShokinHeiti", PrizeLine(r, block, "平地本賞金:", "千円　　平地付加賞金:",
                                                  res::kFlatPrize, res::kFlatAdded)));
    items.push_back(Line("ShokinShogai", PrizeLine(r, block, "障害本賞金:", "千円　　障害付加賞金:",
                                                   res::kJumpPrize, res::kJumpAdded)));
    items.push_back(Heading("【着回数】"));
    items.push_back(Line(
        "chakHeiti",
        FinishCountLine("平地着回数:[1着]", Counts(r, block, res::kFlatCounts), Separator::kWide)));
    items.push_back(Line(
        "chakShogai",
        FinishCountLine("障害着回数:[1着]", Counts(r, block, res::kJumpCounts), Separator::kWide)));

    // Venue codes 01 to 10 in block order, with the label names' spelling.
    static constexpr struct {
        const char* label;
        const char* venue;
    } kVenues[res::kVenues] = {{"Sapporo", "札幌"}, {"Hakodate", "函館"}, {"Fukusima", "福島"},
                               {"Niigata", "新潟"}, {"Tokyo", "東京"},    {"Nakayama", "中山"},
                               {"Chukyo", "中京"},  {"Kyoto", "京都"},    {"Hansin", "阪神"},
                               {"Kokura", "小倉"}};
    items.push_back(Heading("【競馬場別着回数】"));
    const struct {
        const char* sub;
        const char* letter;
        const char* course;
        layout::EntryField (*counts)(int);
    } courses[] = {{" <平地>", "H", "平地", res::kVenueFlatCounts},
                   {" <障害>", "S", "障害", res::kVenueJumpCounts}};
    for (const auto& course : courses) {
        items.push_back(SubHeading(course.sub));
        for (int v = 1; v <= res::kVenues; ++v) {
            const auto& venue = kVenues[v - 1];
            const std::string prefix =
                std::string("<") + venue.venue + ">" + course.course + ":[1着]";
            items.push_back(Line(
                std::string("chak") + course.letter + venue.label,
                FinishCountLine(prefix, Counts(r, block, course.counts(v)), Separator::kNarrow)));
        }
    }

    items.push_back(Heading("【距離別着回数】"));
    static constexpr const char* kBands[res::kDistanceBands][2] = {
        {"1600", "<～1600m>"}, {"2200", "<～2200m>"}, {"2201", "<2201m～>"}};
    const struct {
        const char* sub;
        const char* letter;
        const char* surface;
        layout::EntryField (*counts)(int);
    } surfaces[] = {{" <芝>", "H", "芝", res::kTurfCounts},
                    {" <ダート>", "D", "ダ", res::kDirtCounts}};
    for (const auto& surface : surfaces) {
        items.push_back(SubHeading(surface.sub));
        for (int d = 1; d <= res::kDistanceBands; ++d) {
            const std::string prefix = std::string(kBands[d - 1][1]) + surface.surface + ":[1着]";
            items.push_back(Line(
                std::string("chak") + surface.letter + kBands[d - 1][0],
                FinishCountLine(prefix, Counts(r, block, surface.counts(d)), Separator::kNarrow)));
        }
    }
    return items;
}

std::string Tooltip(std::string_view kana) {
    const std::string_view k = FieldAt(kana, 1, static_cast<int>(kana.size()));
    const std::string_view first = k.substr(0, std::min<std::size_t>(kKanaHalf, k.size()));
    const std::string_view last =
        k.size() > kKanaHalf ? k.substr(k.size() - kKanaHalf) : std::string_view{};
    return std::string(text::TrimBlanks(first)) + std::string(text::TrimBlanks(last));
}

// Name, birth and the "/" fields after it up to the region, shared by both.
struct HeadingFields {
    text::FieldPos name, birthYear, birthMonth, birthDay, sex, centre, region;
    text::FieldPos licenceYear, licenceMonth, licenceDay;
};

std::string Birth(std::string_view r, const HeadingFields& h) {
    return CleanText(FieldAt(r, h.name)) + " [" + Field(r, h.birthYear) + Sj("年") +
           Field(r, h.birthMonth) + Sj("月") + Field(r, h.birthDay) + Sj("日生") + "/" +
           store::PersonSexName(FieldAt(r, h.sex)) + "/" +
           store::AffiliationName(FieldAt(r, h.centre));
}

std::string Licence(std::string_view r, const HeadingFields& h) {
    return CleanText(FieldAt(r, h.region)) + Sj(" 初免許:") + Field(r, h.licenceYear) + Sj("年") +
           Field(r, h.licenceMonth) + Sj("月") + Field(r, h.licenceDay) + Sj("日]");
}

void FillResults(PersonView& v, std::string_view r, int (*resultsPos)(int)) {
    for (int tab = 0; tab < kResultTabs; ++tab) {
        v.results[static_cast<std::size_t>(tab)] = ResultsTab(r, resultsPos(tab), tab);
    }
}

}  // namespace

PersonView MakeJockeyView(std::string_view r) {
    const HeadingFields h{ks::kName,           ks::kBirthYear,   ks::kBirthMonth,
                          ks::kBirthDay,       ks::kSex,         ks::kTrainingCentre,
                          ks::kInvitingRegion, ks::kLicenceYear, ks::kLicenceMonth,
                          ks::kLicenceDay};
    PersonView v;
    v.NameLabel = Birth(r, h) + Sj("/資格:") +
                  store::JockeyKindName(FieldAt(r, ks::kQualification)) + Sj("/見習:") +
                  store::ApprenticeName(FieldAt(r, ks::kApprentice)) + Sj("/厩舎:") +
                  Field(r, ks::kStableTrainerShort) + "/" + Licence(r, h);
    v.tooltip = Tooltip(FieldAt(r, ks::kNameKana));
    v.firstRides = FirstRides(r);
    v.gradedWins = GradedWins(r, ks::GradedWinPos);
    FillResults(v, r, ks::ResultsPos);
    return v;
}

PersonView MakeTrainerView(std::string_view r) {
    const HeadingFields h{ch::kName,           ch::kBirthYear,   ch::kBirthMonth,
                          ch::kBirthDay,       ch::kSex,         ch::kTrainingCentre,
                          ch::kInvitingRegion, ch::kLicenceYear, ch::kLicenceMonth,
                          ch::kLicenceDay};
    PersonView v;
    v.NameLabel = Birth(r, h) + "/" + Licence(r, h);
    v.tooltip = Tooltip(FieldAt(r, ch::kNameKana));
    v.gradedWins = GradedWins(r, ch::GradedWinPos);
    FillResults(v, r, ch::ResultsPos);
    return v;
}

}  // namespace quindle::masterdata
