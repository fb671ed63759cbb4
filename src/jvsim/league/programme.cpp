#include "jvsim/league/programme.h"

#include <algorithm>
#include <cmath>

#include "jvsim/league/venues.h"

namespace quindle::jvsim::league {
namespace {

struct Slot {
    int raceType;
    int condition;
    bool special;
    int surface;  // 0 either, 1 turf, 2 dirt
};

// Race number 1..12 in the first five months (three-year-olds and four-year-
// olds and up) and in the rest of the year (two-year-olds, three-year-olds
// and up). The main race (11) is planned separately.
Slot PlannedSlot(int raceNumber, int month) {
    const bool spring = month <= 5;
    const bool newcomers3 = month <= 3;
    const bool maidens3 = month <= 9;
    const bool twoYearOlds = month >= 6;
    switch (raceNumber) {
        case 1:
            if (spring) return {kThreeYearOlds, kMaiden, false, 2};
            return {month >= 7 ? kTwoYearOlds : kThreeYearOlds, kMaiden, false, 2};
        case 2:
            if (spring || maidens3) return {kThreeYearOlds, kMaiden, false, 0};
            return {kTwoYearOlds, kMaiden, false, 0};
        case 3:
            if (spring) return {kThreeYearOlds, newcomers3 ? kNewcomer : kMaiden, false, 0};
            return {kThreeUp, kOneWin, false, 2};
        case 4:
            if (spring) return {kFourUp, kOneWin, false, 2};
            return {twoYearOlds ? kTwoYearOlds : kThreeYearOlds, kNewcomer, false, 1};
        case 5:
            if (spring) return {kThreeYearOlds, kMaiden, false, 1};
            return {maidens3 ? kThreeYearOlds : kTwoYearOlds, kMaiden, false, 1};
        case 6:
            if (spring) return {kThreeYearOlds, kOneWin, false, 0};
            return {kThreeUp, kOneWin, false, 0};
        case 7:
            if (spring) return {kFourUp, kOneWin, false, 0};
            return {kThreeUp, kOneWin, false, 1};
        case 8:
            return {spring ? kFourUp : kThreeUp, kTwoWins, false, 0};
        case 9:
            if (spring) return {kThreeYearOlds, kOneWin, true, 1};
            if (month >= 10) return {kTwoYearOlds, kOneWin, true, 1};
            return {kThreeUp, kTwoWins, true, 1};
        case 10:
            return {spring ? kFourUp : kThreeUp, kTwoWins, true, 0};
        case 12:
            return {spring ? kFourUp : kThreeUp, month % 3 == 0 ? kTwoWins : kOneWin, false, 2};
        default:
            return {spring ? kFourUp : kThreeUp, kThreeWins, true, 0};
    }
}

// The main race of a weekend day at a venue.
struct MainPlan {
    char grade;
    int condition;
    int raceType;
    Surface surface;
    int distance;
    bool fillies;
};

// Weekends of the year (0-based) with a G1 at the main venue on Sunday, with
// surface, distance, age group and fillies-only flag.
struct G1Week {
    int weekend;
    Surface surface;
    int distance;
    int raceType;  // 0: the season's older-horse race
    bool fillies;
};
constexpr G1Week kG1Weeks[] = {
    {7, Surface::Dirt, 1600, 0, false},
    {12, Surface::Turf, 1200, 0, false},
    {13, Surface::Turf, 2000, 0, false},
    {14, Surface::Turf, 1600, kThreeYearOlds, true},
    {15, Surface::Turf, 2000, kThreeYearOlds, false},
    {16, Surface::Turf, 3200, 0, false},
    {17, Surface::Turf, 1600, kThreeYearOlds, false},
    {18, Surface::Turf, 1600, 0, true},
    {19, Surface::Turf, 2400, kThreeYearOlds, true},
    {20, Surface::Turf, 2400, kThreeYearOlds, false},
    {21, Surface::Turf, 1600, 0, false},
    {24, Surface::Turf, 2200, 0, false},
    {38, Surface::Turf, 1200, 0, false},
    {40, Surface::Turf, 2000, kThreeYearOlds, true},
    {41, Surface::Turf, 3000, kThreeYearOlds, false},
    {42, Surface::Turf, 2000, 0, false},
    {43, Surface::Turf, 2200, 0, true},
    {44, Surface::Turf, 1600, 0, false},
    {45, Surface::Turf, 2400, 0, false},
    {46, Surface::Dirt, 1800, 0, false},
    {47, Surface::Turf, 1200, 0, false},
    {48, Surface::Turf, 1600, kTwoYearOlds, true},
    {49, Surface::Turf, 1600, kTwoYearOlds, false},
    {50, Surface::Turf, 2500, 0, false},
};

int SeasonOlderType(int month) {
    return month <= 5 ? kFourUp : kThreeUp;
}

MainPlan PlanMain(std::uint64_t seed, const RaceDay& day, const VenueDay& vd, int month) {
    Rng rng(DeriveSeed(seed, 0x4D41494E,
                       static_cast<std::uint64_t>(day.weekendOfYear * 10 + day.weekdayCode),
                       static_cast<std::uint64_t>(vd.slot)));
    const bool sunday = day.weekdayCode == 2;
    if (sunday && vd.slot == 0) {
        for (const auto& g : kG1Weeks) {
            if (g.weekend == day.weekendOfYear) {
                int type = g.raceType != 0 ? g.raceType : SeasonOlderType(month);
                return {'A', kOpen, type, g.surface, g.distance, g.fillies};
            }
        }
    }
    double r = rng.Uniform();
    char grade = ' ';
    int condition = kOpen;
    if (vd.slot == 0 && sunday) {
        grade = r < 0.35 ? 'B' : 'C';
    } else if (vd.slot == 0) {
        grade = r < 0.25 ? 'B' : r < 0.7 ? 'C' : r < 0.85 ? 'L' : 'E';
    } else if (vd.slot == 1) {
        grade = r < (sunday ? 0.45 : 0.2) ? 'C' : r < 0.6 ? 'L' : r < 0.8 ? 'E' : ' ';
    } else {
        grade = r < 0.15 ? 'L' : r < 0.5 ? 'E' : ' ';
    }
    if (grade == ' ') {
        grade = 'E';
        condition = kThreeWins;
    }
    int type = SeasonOlderType(month);
    double age = rng.Uniform();
    if (month <= 5 && age < 0.3) type = kThreeYearOlds;
    if (month >= 9 && age < 0.2 && grade != 'B') type = kTwoYearOlds;
    if (type != SeasonOlderType(month) && condition == kThreeWins) condition = kOpen;
    Surface surface = rng.Chance(0.72) ? Surface::Turf : Surface::Dirt;
    if (type == kTwoYearOlds) surface = Surface::Turf;
    int distance =
        surface == Surface::Turf ? 1200 + 200 * rng.Range(0, 6) : 1400 + 200 * rng.Range(0, 2);
    return {grade, condition, type, surface, distance, false};
}

char WeightTypeFor(int raceType, int condition, char grade, Rng& rng) {
    bool young = raceType == kTwoYearOlds || raceType == kThreeYearOlds;
    if (grade == 'A') return young ? '3' : '4';
    if (grade == 'B') return rng.Chance(0.7) ? '2' : '4';
    if (grade == 'C') return young ? (rng.Chance(0.7) ? '2' : '3') : (rng.Chance(0.45) ? '1' : '2');
    if (condition == kOpen) return rng.Chance(0.6) ? '2' : young ? '3' : '1';
    if (young || condition == kNewcomer || condition == kMaiden) return '3';
    if (grade == 'E' && rng.Chance(0.2)) return '1';
    return '4';
}

int FieldTargetFor(int condition, char grade, Rng& rng) {
    if (grade == 'A') return rng.Range(15, 18);
    if (grade == 'B' || grade == 'C') return rng.Range(11, 18);
    switch (condition) {
        case kNewcomer:
            return rng.Range(9, 18);
        case kMaiden:
            return rng.Range(12, 18);
        case kOneWin:
            return rng.Range(9, 16);
        case kTwoWins:
            return rng.Range(8, 16);
        case kThreeWins:
            return rng.Range(8, 14);
        default:
            return rng.Range(8, 16);
    }
}

const char* SymbolFor(bool fillies, char grade, Rng& rng) {
    if (fillies) return "A21";
    if (grade == 'A' || grade == 'B' || grade == 'C') return rng.Chance(0.6) ? "A04" : "A01";
    static constexpr const char* kSymbols[] = {"A01", "A03", "001", "000", "A00"};
    static constexpr double kWeights[] = {0.38, 0.17, 0.12, 0.2, 0.13};
    return kSymbols[rng.Pick(kWeights)];
}

RaceNameKind NameKindFor(int condition, char grade) {
    if (grade == 'A' || grade == 'B' || grade == 'C') return RaceNameKind::Graded;
    if (condition == kOpen || condition == kThreeWins || grade == 'L') return RaceNameKind::Stakes;
    return RaceNameKind::Special;
}

void NameRace(RaceInfo& info, std::uint64_t seed, const RaceDay& day) {
    Rng names(DeriveSeed(seed, 0x4E414D45,
                         static_cast<std::uint64_t>(day.weekendOfYear * 10 + day.weekdayCode),
                         static_cast<std::uint64_t>(info.slot * 100 + info.raceNumber)));
    info.name = MakeRaceName(names, NameKindFor(info.condition, info.grade));
    info.specialNumber = 1 + static_cast<int>(names.Below(999));
    if (info.Graded()) {
        int year = YmdFromDay(info.date).year;
        info.edition = 10 + static_cast<int>(names.Below(50)) + (year - 2000);
    }
}

// Classes the calendar runs for an age group in `month`: newcomer races for
// two-year-olds and for three-year-olds until March, maiden races for them
// until September, no two- or three-win classes among the young.
bool ValidClass(int raceType, int condition, int month) {
    switch (raceType) {
        case kTwoYearOlds:
            return month >= 6 && (condition == kNewcomer || condition == kMaiden ||
                                  condition == kOneWin || condition == kOpen);
        case kThreeYearOlds:
            if (condition == kNewcomer) return month <= 3;
            if (condition == kMaiden) return month <= 9;
            return condition == kOneWin || condition == kOpen;
        case kFourUp:
            return month <= 5 && condition != kNewcomer && condition != kMaiden;
        default:
            return month >= 6 && condition != kNewcomer && condition != kMaiden;
    }
}

}  // namespace

std::int64_t FirstPrize(int raceType, int condition, char grade) {
    switch (grade) {
        case 'A':
            return raceType == kTwoYearOlds     ? 700000
                   : raceType == kThreeYearOlds ? 2000000
                                                : 1800000;
        case 'B':
            return 620000;
        case 'C':
            return 430000;
        case 'L':
            return 270000;
        default:
            break;
    }
    bool young = raceType == kTwoYearOlds || raceType == kThreeYearOlds;
    switch (condition) {
        case kNewcomer:
            return 72000;
        case kMaiden:
            return 56000;
        case kOneWin:
            return young ? 80000 : 84000;
        case kTwoWins:
            return 112000;
        case kThreeWins:
            return 164000;
        default:
            return 240000;
    }
}

std::array<std::int64_t, 5> PlacePrizes(std::int64_t first) {
    static constexpr int kShare[] = {100, 40, 25, 15, 10};
    std::array<std::int64_t, 5> p{};
    for (int k = 0; k < 5; ++k) p[static_cast<std::size_t>(k)] = first * kShare[k] / 100 / 10 * 10;
    return p;
}

void ChooseCourse(RaceInfo& info, Surface surface, int target, Rng& rng) {
    const CentralVenue& v = CentralVenueAt(info.venue);
    auto courses = surface == Surface::Turf ? v.turf : v.dirt;
    std::vector<double> weights;
    for (const auto& c : courses) {
        double d = (c.distance - target) / 450.0;
        weights.push_back(Exp(-d * d) + 0.02);
    }
    const Course& c = courses[rng.Pick(weights)];
    info.surface = surface;
    info.distance = c.distance;
    info.track = c.track;
    info.turn = c.track == 10 ? Turn::Straight : v.turn;
    if (surface == Surface::Turf) {
        info.courseDivision = info.dayOfMeeting <= 4 ? "A " : info.dayOfMeeting <= 8 ? "B " : "C ";
    } else {
        info.courseDivision = "  ";
    }
}

void SetClass(RaceInfo& info, int raceType, int condition, Rng& rng) {
    info.raceType = raceType;
    info.condition = condition;
    if (!info.Graded() && info.grade != 'L') {
        bool stillSpecial = info.grade == 'E' && condition != kNewcomer && condition != kMaiden;
        if (!stillSpecial) {
            info.grade = ' ';
            info.name = RaceName{};
            info.specialNumber = 0;
        }
    }
    info.weightType = WeightTypeFor(raceType, condition, info.grade, rng);
    info.prize = PlacePrizes(FirstPrize(raceType, condition, info.grade));
    info.added = {};
    if (info.grade != ' ') {
        info.added = {info.prize[0] * 25 / 1000, info.prize[0] * 9 / 1000,
                      info.prize[0] * 6 / 1000};
    }
    info.fieldTarget = FieldTargetFor(condition, info.grade, rng);
}

std::vector<RaceInfo> PlanVenueDay(std::uint64_t seed, const RaceDay& day, const VenueDay& vd,
                                   Rng& rng) {
    const int month = YmdFromDay(day.date).month;
    // Weather of the day at the venue; the going follows it.
    const bool winter = month == 12 || month <= 2;
    int weather = static_cast<int>(rng.Pick(std::vector<double>{
                      0.5, 0.3, 0.1, 0.06, winter ? 0.03 : 0.0, winter ? 0.02 : 0.0})) +
                  1;
    bool wet = weather == 3 || weather == 4 || weather == 5;
    int turfGoing = wet ? rng.Range(2, 4) : rng.Chance(0.12) ? 2 : 1;
    int dirtGoing = wet ? rng.Range(2, 4) : rng.Chance(0.18) ? 2 : 1;

    std::vector<RaceInfo> races;
    for (int r = 1; r <= 12; ++r) {
        RaceInfo s;
        s.date = day.date;
        s.venue = vd.venue;
        s.venueCode = std::string(CentralVenueAt(vd.venue).code);
        s.slot = vd.slot;
        s.meeting = vd.meeting;
        s.dayOfMeeting = vd.dayOfMeeting;
        s.raceNumber = r;
        s.weekdayCode = day.weekdayCode;
        s.kind = '7';
        s.weather = weather;
        s.turfGoing = turfGoing;
        s.dirtGoing = dirtGoing;
        s.postTime = PostTime(r, vd.slot);
        if (r == 11) {
            MainPlan m = PlanMain(seed, day, vd, month);
            s.grade = m.grade;
            s.filliesOnly = m.fillies;
            ChooseCourse(s, m.surface, m.distance, rng);
            SetClass(s, m.raceType, m.condition, rng);
        } else {
            Slot p = PlannedSlot(r, month);
            s.grade = p.special ? 'E' : ' ';
            Surface surface = p.surface == 1   ? Surface::Turf
                              : p.surface == 2 ? Surface::Dirt
                                               : (rng.Chance(0.55) ? Surface::Turf : Surface::Dirt);
            bool young = p.raceType == kTwoYearOlds || p.condition == kNewcomer;
            ChooseCourse(s, surface, young ? 1400 : surface == Surface::Turf ? 1800 : 1600, rng);
            s.filliesOnly =
                p.raceType == kThreeYearOlds && p.condition != kNewcomer && rng.Chance(0.12);
            SetClass(s, p.raceType, p.condition, rng);
        }
        s.symbol = SymbolFor(s.filliesOnly, s.grade, rng);
        if (s.grade != ' ') NameRace(s, seed, day);
        races.push_back(std::move(s));
    }
    return races;
}

std::vector<std::pair<int, int>> FallbackClasses(const RaceInfo& info) {
    std::vector<int> conditions;
    switch (info.condition) {
        case kNewcomer:
            conditions = {kMaiden, kOneWin};
            break;
        case kMaiden:
            conditions = {kNewcomer, kOneWin};
            break;
        case kOneWin:
            conditions = {kTwoWins, kMaiden};
            break;
        case kTwoWins:
            conditions = {kOneWin, kThreeWins};
            break;
        case kThreeWins:
            conditions = {kTwoWins, kOpen};
            break;
        default:
            conditions = {kThreeWins, kTwoWins};
            break;
    }
    int month = YmdFromDay(info.date).month;
    int otherType = info.raceType;
    if (info.raceType == kThreeYearOlds) otherType = month <= 5 ? kFourUp : kThreeUp;
    if (info.raceType == kTwoYearOlds) otherType = kThreeUp;
    if (info.raceType == kFourUp) otherType = kThreeYearOlds;
    if (info.raceType == kThreeUp && month <= 9) otherType = kThreeYearOlds;
    std::vector<std::pair<int, int>> out;
    auto add = [&](int type, int condition) {
        if (ValidClass(type, condition, month)) out.emplace_back(type, condition);
    };
    for (int c : conditions) add(info.raceType, c);
    if (otherType != info.raceType) {
        add(otherType, info.condition);
        for (int c : conditions) add(otherType, c);
    }
    return out;
}

}  // namespace quindle::jvsim::league
