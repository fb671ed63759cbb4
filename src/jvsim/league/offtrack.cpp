#include "jvsim/league/offtrack.h"

#include <algorithm>
#include <map>

#include "core/store/codes/formatting.h"
#include "jvsim/league/names.h"
#include "jvsim/league/outcome.h"
#include "jvsim/league/programme.h"
#include "jvsim/league/venues.h"

namespace quindle::jvsim::league {
namespace {

// The day an overseas race of the calendar is run in `year`.
Day OverseasDay(const OverseasRace& o, int year) {
    if (o.nth > 0) {
        Day d = DayFromYmd(year, o.month, 1);
        while (WeekdayOf(d) != o.weekday) ++d;
        return d + 7 * (o.nth - 1);
    }
    Day d = DayFromYmd(o.month == 12 ? year + 1 : year, o.month == 12 ? 1 : o.month + 1, 1) - 1;
    while (WeekdayOf(d) != o.weekday) --d;
    return d;
}

RaceInfo OffTrackInfo(Day day, std::string_view venueCode, char kind, int raceNumber,
                      Surface surface, int distance, Turn turn) {
    RaceInfo s;
    s.date = day;
    s.venueCode = std::string(venueCode);
    s.venue = 0;
    Ymd ymd = YmdFromDay(day);
    s.meeting = kind == 'B' ? 1 : ymd.month;
    s.dayOfMeeting = kind == 'B' ? 1 : (ymd.day - 1) / 7 + 1;
    s.raceNumber = raceNumber;
    s.weekdayCode = WeekdayCode(day);
    s.kind = kind;
    s.raceType = kThreeUp;
    s.condition = 0;
    s.grade = ' ';
    s.symbol = "000";
    s.weightType = '3';
    s.surface = surface;
    s.turn = turn;
    s.distance = distance;
    s.track = surface == Surface::Turf ? TurfTrack(turn) : DirtTrack(turn);
    s.postTime = PostTime(raceNumber, 0);
    return s;
}

// A rider for a horse at a local track: its last rider when he rides there,
// now and then an earlier one, else one of the track's riders.
int LocalRider(const World& world, const Horse& h, int localVenue, Rng& rng) {
    std::vector<int> riders;
    for (int j = 0; j < static_cast<int>(world.jockeys.size()); ++j) {
        const Jockey& jk = world.jockeys[static_cast<std::size_t>(j)];
        if (jk.kind == JockeyKind::Local && jk.localVenue == localVenue) riders.push_back(j);
    }
    auto ridesHere = [&](int j) {
        return std::find(riders.begin(), riders.end(), j) != riders.end();
    };
    if (h.lastJockey >= 0 && ridesHere(h.lastJockey) && rng.Chance(0.75)) return h.lastJockey;
    if (rng.Chance(0.35)) {
        for (auto j : h.riders) {
            if (j != h.lastJockey && ridesHere(j)) return j;
        }
    }
    return riders[rng.Below(static_cast<std::uint32_t>(riders.size()))];
}

// The result of one of the league's horses in a field of `fieldSize` whose
// other runners have `fieldLevel` ability.
void RunOffTrack(const World& world, Race& race, Runner& r, int fieldSize, double fieldLevel,
                 Rng& rng) {
    const Horse& h = world.horses[static_cast<std::size_t>(r.horse)];
    WeighIn(world, r, rng);
    double edge = h.ability - fieldLevel;
    double beatProbability = 1.0 / (1.0 + Exp(1.6 * edge));
    int beaten = 0;
    for (int k = 1; k < fieldSize; ++k) {
        if (rng.Chance(beatProbability)) ++beaten;
    }
    r.finish = 1 + beaten;
    r.passingOrder = r.finish;
    int winnerTime = StandardTimeTenths(race.info, rng) + 8;
    r.behindTenths = beaten == 0 ? -rng.Range(0, 6) : beaten * rng.Range(1, 4);
    r.timeTenths = winnerTime + std::max(0, r.behindTenths);
    r.margin = beaten == 0 ? "   " : MarginCode(rng.Range(0, 6), rng);
    int early = std::clamp(h.style * fieldSize / 4 + rng.Range(-2, 2), 1, fieldSize);
    for (int c = race.info.distance <= 1400 ? 3 : 1; c <= 4; ++c) {
        r.corners[static_cast<std::size_t>(c - 1)] =
            std::clamp((early * (4 - c) + r.finish * c) / 4, 1, fieldSize);
    }
    r.last3f = std::clamp(375 + beaten * 3 + rng.Range(-10, 10), 330, 450);
    r.winPopularity = std::clamp(
        1 + static_cast<int>(beatProbability * fieldSize) + rng.Range(-1, 1), 1, fieldSize);
    r.winOdds = std::min(9999, 12 + r.winPopularity * r.winPopularity * 9 + rng.Range(0, 20));
    r.prize = r.finish <= 5 ? race.info.prize[static_cast<std::size_t>(r.finish - 1)] : 0;
    r.style = h.style;
    r.age = h.AgeOn(race.info.date);
}

// Several of the league's horses in one race: their positions drawn one by one
// may clash; spread them to distinct places within the field.
void DistinctFinishes(Race& race, int fieldSize) {
    auto& rs = race.runners;
    std::sort(rs.begin(), rs.end(), [](const Runner& a, const Runner& b) {
        return a.finish != b.finish ? a.finish < b.finish : a.horseNumber < b.horseNumber;
    });
    for (std::size_t k = 1; k < rs.size(); ++k)
        rs[k].finish = std::max(rs[k].finish, rs[k - 1].finish + 1);
    for (std::size_t k = rs.size(); k-- > 0;) {
        int limit = k + 1 == rs.size() ? fieldSize : rs[k + 1].finish - 1;
        rs[k].finish = std::min(rs[k].finish, limit);
    }
    for (Runner& r : rs) {
        r.passingOrder = r.finish;
        if (r.finish > 1) r.behindTenths = std::max(r.behindTenths, (r.finish - 1) * 2);
        if (r.finish > 1 && r.margin == "   ") r.margin = "1  ";
    }
    // Only one winner shows a lead.
    for (std::size_t k = 1; k < rs.size(); ++k) {
        if (rs[k].behindTenths < 0) rs[k].behindTenths = 0;
    }
    std::sort(rs.begin(), rs.end(),
              [](const Runner& a, const Runner& b) { return a.horseNumber < b.horseNumber; });
}

}  // namespace

int WeekdayCode(Day day) {
    static constexpr int kCodes[] = {2, 4, 5, 6, 7, 8, 1};  // Sunday .. Saturday
    return kCodes[WeekdayOf(day)];
}

std::vector<Race> LocalRuns(World& world, Day day, Rng& rng) {
    std::vector<Race> races;
    std::map<int, int> nextRaceNumber;  // per local venue
    std::vector<int> stillLocal;
    const auto venues = LocalVenues();
    for (int idx : world.localHorses) {
        Horse& h = world.horses[static_cast<std::size_t>(idx)];
        if (h.loc != Location::Local) continue;
        if (h.localUntil != 0 && day >= h.localUntil) {
            // Joins (or comes back to) a JRA stable.
            h.loc = Location::Central;
            h.ready = day + 14 + rng.Range(0, 21);
            h.classWins =
                static_cast<std::uint8_t>(std::max<int>(h.classWins, std::min(2, h.localWins / 3)));
            h.localUntil = 0;
            h.dirty = true;
            continue;
        }
        stillLocal.push_back(idx);
        if (h.ready > day || h.debutFrom > day) continue;
        const LocalVenue& v = venues[static_cast<std::size_t>(h.localVenue)];
        int& number = nextRaceNumber[h.localVenue];
        if (number == 0) number = rng.Range(3, 6);
        if (number > 12) continue;
        Race race;
        int distance = v.distances[rng.Below(static_cast<std::uint32_t>(v.distances.size()))];
        race.info = OffTrackInfo(day, v.code, 'A', number++, Surface::Dirt, distance, v.turn);
        if (rng.Chance(0.2)) race.info.name = MakeRaceName(rng, RaceNameKind::Local);
        race.info.prize = PlacePrizes(rng.Range(15, 60) * 100);
        const int fieldSize = rng.Range(8, 12);
        race.entered = fieldSize;
        Runner r;
        r.horse = idx;
        r.horseNumber = rng.Range(1, fieldSize);
        r.bracket = store::BracketNumber(fieldSize, r.horseNumber);
        r.jockey = LocalRider(world, h, h.localVenue, rng);
        r.carried = h.sex == 2 ? 540 : 560;
        RunOffTrack(world, race, r, fieldSize, -0.7, rng);
        race.runners.push_back(r);
        race.starters = fieldSize;
        race.finishers = fieldSize;
        races.push_back(std::move(race));
        h.ready = day + rng.Range(18, 40);
    }
    world.localHorses = std::move(stillLocal);
    return races;
}

std::vector<Race> ExchangeRaces(World& world, Day day, Rng& rng) {
    // Every second Wednesday (counted from the epoch), at one of the larger
    // local tracks.
    if (WeekdayOf(day) != 3 || (day / 7) % 2 != 0) return {};
    static constexpr int kTracks[] = {5, 6, 4, 3, 1, 10, 9, 13, 0};  // indices into LocalVenues()
    const auto venues = LocalVenues();
    const LocalVenue& v = venues[static_cast<std::size_t>(kTracks[(day / 14) % 9])];
    std::vector<std::pair<double, int>> candidates;
    for (int i = 0; i < static_cast<int>(world.horses.size()); ++i) {
        const Horse& h = world.horses[static_cast<std::size_t>(i)];
        if (h.loc != Location::Central || h.ready > day || h.classWins < 4 || h.turfPref > 0.4f)
            continue;
        if (h.AgeOn(day) < 3) continue;
        candidates.emplace_back(-(h.ability + rng.Normal() * 0.3), i);
    }
    if (candidates.size() < 3) return {};
    std::sort(candidates.begin(), candidates.end());
    const int jraRunners = std::min<int>(rng.Range(3, 5), static_cast<int>(candidates.size()));
    const int fieldSize = rng.Range(12, 16);
    Race race;
    int distance = v.distances[v.distances.size() - 1 - rng.Below(2)];
    race.info = OffTrackInfo(day, v.code, 'A', 11, Surface::Dirt, distance, v.turn);
    race.info.grade = rng.Chance(0.3) ? 'A' : 'C';
    race.info.condition = kOpen;
    race.info.name = MakeRaceName(rng, RaceNameKind::Graded);
    race.info.prize = PlacePrizes(race.info.grade == 'A' ? 800000 : 350000);
    race.entered = fieldSize;
    std::vector<int> numbers;
    for (int k = 1; k <= fieldSize; ++k) numbers.push_back(k);
    for (int k = fieldSize - 1; k > 0; --k)
        std::swap(numbers[static_cast<std::size_t>(k)],
                  numbers[rng.Below(static_cast<std::uint32_t>(k + 1))]);
    std::vector<char> booked(world.jockeys.size(), 0);
    for (int k = 0; k < jraRunners; ++k) {
        int idx = candidates[static_cast<std::size_t>(k)].second;
        Horse& h = world.horses[static_cast<std::size_t>(idx)];
        Runner r;
        r.horse = idx;
        r.horseNumber = numbers[static_cast<std::size_t>(k)];
        r.bracket = store::BracketNumber(fieldSize, r.horseNumber);
        int j = h.lastJockey;
        bool keep = j >= 0 &&
                    world.jockeys[static_cast<std::size_t>(j)].kind == JockeyKind::Central &&
                    world.jockeys[static_cast<std::size_t>(j)].ActiveOn(day) &&
                    !booked[static_cast<std::size_t>(j)] && rng.Chance(0.75);
        if (!keep) {
            // One of the better riders who is free.
            std::vector<double> weights;
            for (const Jockey& jk : world.jockeys) {
                bool free = jk.kind == JockeyKind::Central && jk.ActiveOn(day) &&
                            !booked[static_cast<std::size_t>(&jk - world.jockeys.data())];
                weights.push_back(free ? jk.skill * jk.skill * jk.skill : 0.0);
            }
            j = static_cast<int>(rng.Pick(weights));
        }
        booked[static_cast<std::size_t>(j)] = 1;
        r.jockey = j;
        r.carried = h.sex == 2 ? 560 : 580;
        RunOffTrack(world, race, r, fieldSize, 0.9, rng);
        race.runners.push_back(r);
        h.ready = day + rng.Range(28, 56);
    }
    DistinctFinishes(race, fieldSize);
    race.starters = fieldSize;
    race.finishers = fieldSize;
    return {race};
}

std::vector<Race> OverseasRuns(World& world, Day day, Rng& rng) {
    std::vector<Race> races;
    const int year = YmdFromDay(day).year;
    const auto calendar = OverseasRaces();
    for (int i = 0; i < static_cast<int>(calendar.size()); ++i) {
        const OverseasRace& o = calendar[static_cast<std::size_t>(i)];
        Day raceDay = OverseasDay(o, year);
        if (day == raceDay - 21) {
            // Travel: the best fitting open-class horses that are free.
            std::vector<std::pair<double, int>> candidates;
            for (int k = 0; k < static_cast<int>(world.horses.size()); ++k) {
                const Horse& h = world.horses[static_cast<std::size_t>(k)];
                if (h.loc != Location::Central || h.classWins < 5 || h.AgeOn(raceDay) < 3) continue;
                bool turf = o.surface == Surface::Turf;
                if (turf ? h.turfPref < 0.6f : h.turfPref > 0.4f) continue;
                candidates.emplace_back(-(h.ability + rng.Normal() * 0.4), k);
            }
            std::sort(candidates.begin(), candidates.end());
            int travellers = std::min<int>(rng.Range(1, 2), static_cast<int>(candidates.size()));
            for (int k = 0; k < travellers; ++k) {
                Horse& h = world.horses[static_cast<std::size_t>(
                    candidates[static_cast<std::size_t>(k)].second)];
                h.loc = Location::Abroad;
                h.abroadRace = i;
            }
        }
        if (day != raceDay) continue;
        Race race;
        race.info =
            OffTrackInfo(day, o.code, 'B', o.raceNumber, o.surface, o.distance, Turn::Right);
        race.info.grade = 'A';
        race.info.condition = kOpen;
        race.info.weightType = '4';
        race.info.name = MakeRaceName(rng, RaceNameKind::Overseas);
        race.info.prize = PlacePrizes(2500000);
        const int fieldSize = rng.Range(9, 14);
        race.entered = fieldSize;
        std::vector<int> numbers;
        for (int k = 1; k <= fieldSize; ++k) numbers.push_back(k);
        for (int k = fieldSize - 1; k > 0; --k)
            std::swap(numbers[static_cast<std::size_t>(k)],
                      numbers[rng.Below(static_cast<std::uint32_t>(k + 1))]);
        std::vector<int> overseasRiders;
        for (int j = 0; j < static_cast<int>(world.jockeys.size()); ++j) {
            if (world.jockeys[static_cast<std::size_t>(j)].kind == JockeyKind::Overseas)
                overseasRiders.push_back(j);
        }
        int used = 0;
        for (int k = 0; k < static_cast<int>(world.horses.size()); ++k) {
            Horse& h = world.horses[static_cast<std::size_t>(k)];
            if (h.loc != Location::Abroad || h.abroadRace != i) continue;
            Runner r;
            r.horse = k;
            r.horseNumber = numbers[static_cast<std::size_t>(used++)];
            r.bracket = store::BracketNumber(fieldSize, r.horseNumber);
            int j = h.lastJockey;
            bool keep = j >= 0 &&
                        world.jockeys[static_cast<std::size_t>(j)].kind == JockeyKind::Central &&
                        world.jockeys[static_cast<std::size_t>(j)].skill >= 0.6 && rng.Chance(0.7);
            if (!keep && !overseasRiders.empty())
                j = overseasRiders[rng.Below(static_cast<std::uint32_t>(overseasRiders.size()))];
            if (j < 0) j = 0;
            r.jockey = j;
            r.carried = h.sex == 2 ? 555 : 570;
            RunOffTrack(world, race, r, fieldSize, 1.6, rng);
            race.runners.push_back(r);
            h.loc = Location::Central;
            h.abroadRace = -1;
            h.ready = day + rng.Range(42, 70);
            if (used >= fieldSize) break;
        }
        if (race.runners.empty()) continue;
        DistinctFinishes(race, fieldSize);
        race.starters = fieldSize;
        race.finishers = fieldSize;
        races.push_back(std::move(race));
    }
    return races;
}

}  // namespace quindle::jvsim::league
