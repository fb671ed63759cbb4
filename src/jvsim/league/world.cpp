#include "jvsim/league/world.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "core/text/fields.h"
#include "jvsim/league/names.h"
#include "jvsim/league/venues.h"

namespace quindle::jvsim::league {
namespace {

constexpr int kFirstPedigreeYear = 1990;

int WeightedIndex(Rng& rng, std::initializer_list<double> weights) {
    std::vector<double> w(weights);
    return static_cast<int>(rng.Pick(w));
}

Day RandomDayIn(Rng& rng, Day from, Day to) {
    return from + rng.Range(0, std::max(0, to - from));
}

// The Saturday or Sunday on or after `d`.
Day NextWeekendDay(Day d) {
    while (WeekdayOf(d) != 6 && WeekdayOf(d) != 0) ++d;
    return d;
}

int CentralVenueOf(Rng& rng, Centre centre) {
    return centre == Centre::East ? rng.Range(1, 6) : rng.Range(7, 10);
}

RunFacts SyntheticRun(Rng& rng, Centre centre, double winRate, bool turfLeaning, int bestDistance) {
    RunFacts run;
    run.central = true;
    run.venue = CentralVenueOf(rng, centre);
    const CentralVenue& v = CentralVenueAt(run.venue);
    run.surface = rng.Chance(turfLeaning ? 0.8 : 0.25) ? Surface::Turf : Surface::Dirt;
    run.turn = v.turn;
    int d = bestDistance + rng.Range(-4, 4) * 100;
    run.distance = std::clamp(d, 1000, 3600);
    run.going = WeightedIndex(rng, {0.72, 0.16, 0.08, 0.04}) + 1;
    double r = rng.Uniform();
    if (r < winRate) {
        run.finish = 1;
    } else if (r < winRate * 2.9) {
        run.finish = 2 + static_cast<int>(rng.Below(2));
    } else if (r < winRate * 2.9 + 0.16) {
        run.finish = 4 + static_cast<int>(rng.Below(2));
    } else {
        run.finish = rng.Range(6, 16);
    }
    run.style = rng.Range(1, 4);
    return run;
}

// Pre-league years of a jockey or trainer: `perYear` runs at `winRate`.
void SyntheticCareer(Rng& rng, PersonResults& results, Centre centre, int fromYear, int toYear,
                     int perYear, double winRate, int* wins) {
    for (int year = fromYear; year <= toYear; ++year) {
        int runs = std::max(20, perYear + rng.Range(-perYear / 5, perYear / 5));
        if (year == fromYear) runs /= 3;
        for (int i = 0; i < runs; ++i) {
            RunFacts run =
                SyntheticRun(rng, centre, winRate, rng.Chance(0.55), 1600 + rng.Range(-4, 6) * 100);
            run.prize = run.finish >= 1 && run.finish <= 5 ? (6 - run.finish) * 15000 : 0;
            results.allYears.Add(run);
            if (year == toYear) results.lastYear.Add(run);
            if (run.finish == 1 && wins) ++*wins;
        }
    }
    results.lastYear.year = toYear;
}

RaceRef SyntheticRide(Rng& rng, Day around, Centre centre, bool win) {
    RaceRef r;
    r.date = NextWeekendDay(around);
    r.venue = std::string(CentralVenueAt(CentralVenueOf(rng, centre)).code);
    r.meeting = rng.Range(1, 4);
    r.dayOfMeeting = rng.Range(1, 8);
    r.raceNumber = rng.Range(1, 12);
    r.starters = rng.Range(10, 16);
    int year = YmdFromDay(r.date).year;
    r.pedigree = text::Format("%04d%06d", year - 3, 900000 + rng.Range(0, 99999));
    r.horseName = MakeAncestorName(rng).name;
    r.finish = win ? 1 : rng.Range(2, r.starters);
    return r;
}

void AssignAncestors(World& w, Rng& rng, Horse& h) {
    for (auto& a : h.ancestors)
        a = static_cast<int>(rng.Below(static_cast<std::uint32_t>(w.ancestors.size())));
}

int TrainerOf(World& w, Rng& rng, Centre centre) {
    for (;;) {
        int t = static_cast<int>(rng.Below(static_cast<std::uint32_t>(w.trainers.size())));
        if (w.trainers[static_cast<std::size_t>(t)].centre == centre) return t;
    }
}

Horse MakeHorse(World& w, Rng& rng, int birthYear) {
    Horse h;
    auto offset = static_cast<std::size_t>(birthYear - kFirstPedigreeYear);
    if (w.pedigreeSerial.size() <= offset) w.pedigreeSerial.resize(offset + 1, 0);
    int serial = ++w.pedigreeSerial[offset];
    h.pedigree = static_cast<std::int64_t>(birthYear) * 1000000 + 100000 + serial;
    HorseName name = MakeHorseName(rng, w.usedHorseNames);
    h.name = std::move(name.name);
    h.kana = std::move(name.kana);
    h.birth = DayFromYmd(birthYear, 2, 1) + rng.Range(0, 119);
    h.sex = WeightedIndex(rng, {0.53, 0.45, 0.02}) + 1;
    constexpr int kCoats[] = {1, 2, 3, 4, 5, 6, 7, 11};
    h.coat = kCoats[WeightedIndex(rng, {0.20, 0.03, 0.35, 0.18, 0.08, 0.03, 0.12, 0.01})];
    h.foreignBred = rng.Chance(0.05);
    h.symbol = h.foreignBred ? 6 : 0;
    h.centre = rng.Chance(0.5) ? Centre::East : Centre::West;
    h.trainer = TrainerOf(w, rng, h.centre);
    h.owner = static_cast<int>(rng.Below(static_cast<std::uint32_t>(w.owners.size())));
    h.breeder = static_cast<int>(rng.Below(static_cast<std::uint32_t>(w.breeders.size())));
    AssignAncestors(w, rng, h);
    double quality = w.trainers[static_cast<std::size_t>(h.trainer)].quality;
    h.ability = static_cast<float>(rng.Normal() + (quality - 0.5) * 0.6);
    bool turfType = rng.Chance(0.6);
    h.turfPref = static_cast<float>(turfType ? 0.65 + 0.35 * rng.Uniform() : 0.35 * rng.Uniform());
    int best = turfType ? 1800 + static_cast<int>(rng.Normal() * 400)
                        : 1500 + static_cast<int>(rng.Normal() * 250);
    h.bestDistance = static_cast<std::int16_t>(std::clamp(best / 100 * 100, 1000, 3200));
    h.style = static_cast<std::uint8_t>(WeightedIndex(rng, {0.15, 0.35, 0.35, 0.15}) + 1);
    h.baseWeight = static_cast<std::int16_t>(rng.Range(430, 530) - (h.sex == 2 ? 18 : 0));
    h.blinkers = rng.Chance(0.12);
    return h;
}

// Class wins of a horse of `age` at the start of the league.
int InitialClassWins(Rng& rng, const Horse& h, int age) {
    double q = h.ability + rng.Normal() * 0.5;
    if (age <= 2) return 0;
    if (age == 3) return q < 0.5 ? 0 : q < 1.5 ? 1 : 2;
    int wins = q < -0.4 ? 1 : q < 0.35 ? 2 : q < 0.95 ? 3 : 4;
    if (wins == 4) wins += std::min(3, static_cast<int>((q - 0.95) * 2) + age - 4);
    return wins;
}

void PreLeagueRuns(Rng& rng, Horse& h, int age, int classWins) {
    static constexpr int kRunsByAge[][2] = {{0, 0},  {0, 0},   {0, 0},   {1, 5},  {5, 12},
                                            {9, 18}, {12, 24}, {15, 28}, {18, 32}};
    int lo = kRunsByAge[std::min(age, 8)][0];
    int hi = kRunsByAge[std::min(age, 8)][1];
    int runs = lo == 0 && hi == 0 ? 0 : rng.Range(lo, hi);
    runs = std::max(runs, classWins);
    bool turfLeaning = h.turfPref > 0.5f;
    int winsLeft = classWins;
    for (int i = 0; i < runs; ++i) {
        RunFacts run = SyntheticRun(rng, h.centre, 0.0, turfLeaning, h.bestDistance);
        if (winsLeft > 0 && rng.Below(static_cast<std::uint32_t>(runs - i)) <
                                static_cast<std::uint32_t>(winsLeft)) {
            run.finish = 1;
            --winsLeft;
        } else if (run.finish == 1) {
            run.finish = 2;
        }
        static constexpr std::int64_t kPrize[] = {56000, 84000, 112000, 164000, 240000};
        std::int64_t first = kPrize[std::min(classWins - winsLeft - (run.finish == 1 ? 1 : 0), 4)];
        static constexpr int kShare[] = {100, 40, 25, 15, 10};
        if (run.finish >= 1 && run.finish <= 5) run.prize = first * kShare[run.finish - 1] / 100;
        run.style = h.style;
        h.counts.Add(run);
    }
    h.centralStarts = static_cast<std::int16_t>(runs);
}

}  // namespace

int Jockey::ApprenticeCode(Day day) const {
    if (kind != JockeyKind::Central || day - licence > 5 * 365) return 0;
    if (sex == 2) return careerWins < 51 ? 4 : careerWins < 101 ? 9 : 0;
    return careerWins < 31 ? 3 : careerWins < 51 ? 2 : careerWins < 101 ? 1 : 0;
}

bool Horse::RodeBy(int jockey) const {
    return std::find(riders.begin(), riders.end(), static_cast<std::int16_t>(jockey)) !=
           riders.end();
}

void RegisterCrop(World& w, Rng& rng, int birthYear, int count, Day registered) {
    for (int i = 0; i < count; ++i) {
        Horse h = MakeHorse(w, rng, birthYear);
        h.registered = registered;
        int debutYear = birthYear + 2;
        double r = rng.Uniform();
        Day from = r < 0.6   ? DayFromYmd(debutYear, 6, 1)
                   : r < 0.9 ? DayFromYmd(debutYear, 11, 1)
                             : DayFromYmd(debutYear + 1, 1, 5);
        Day to = r < 0.6   ? DayFromYmd(debutYear, 10, 31)
                 : r < 0.9 ? DayFromYmd(debutYear, 12, 28)
                           : DayFromYmd(debutYear + 1, 3, 31);
        h.debutFrom = RandomDayIn(rng, from, to);
        h.ready = h.debutFrom;
        w.horses.push_back(std::move(h));
    }
}

void LicenceApprentices(World& w, Rng& rng, int count, Day day) {
    for (int i = 0; i < count; ++i) {
        Jockey j;
        j.kind = JockeyKind::Central;
        j.code = text::Format("%05d", 1000 + w.nextJockeyCode++);
        j.sex = rng.Chance(0.15) ? 2 : 1;
        PersonName n = MakePersonName(rng, j.sex == 2);
        j.fullName = n.full;
        j.kana = n.kana;
        j.shortName = n.shortName;
        j.licence = day;
        j.birth = day - (18 + rng.Range(0, 2)) * 365 - rng.Range(0, 300);
        j.centre = rng.Chance(0.5) ? Centre::East : Centre::West;
        j.skill = 0.25 + 0.4 * rng.Uniform();
        j.stableTrainer = TrainerOf(w, rng, j.centre);
        j.results.thisYear.year = YmdFromDay(day).year;
        j.results.lastYear.year = j.results.thisYear.year - 1;
        w.jockeys.push_back(std::move(j));
    }
}

World CreateWorld(std::uint64_t seed, const LeagueShape& shape) {
    World w;
    w.seed = seed;
    w.shape = shape;
    Rng rng(DeriveSeed(seed, 0x574F524C44));  // "WORLD"
    const Day start = shape.historyStart;
    const int startYear = YmdFromDay(start).year;

    for (int i = 0; i < shape.owners; ++i) {
        w.owners.push_back({text::Format("%06d", 100000 + i * 37 % 900000 + i), MakeOwnerName(rng),
                            MakeSilks(rng)});
    }
    for (int i = 0; i < shape.breeders; ++i) {
        bool foreign = rng.Chance(0.04);
        w.breeders.push_back({text::Format("%08d", 1000000 + i * 113), MakeBreederName(rng),
                              MakeBreedingPlace(rng, foreign)});
    }
    for (int i = 0; i < 400; ++i) {
        int year = startYear - rng.Range(8, 30);
        w.ancestors.push_back(
            {text::Format("%04d%06d", year, 100000 + i), MakeAncestorName(rng).name});
    }

    for (int i = 0; i < shape.trainers; ++i) {
        Trainer t;
        t.code = text::Format("%05d", 1001 + i);
        t.sex = rng.Chance(0.03) ? 2 : 1;
        PersonName n = MakePersonName(rng, t.sex == 2);
        t.fullName = n.full;
        t.kana = n.kana;
        t.shortName = n.shortName;
        t.centre = i % 2 == 0 ? Centre::East : Centre::West;
        t.birth = DayFromYmd(startYear - rng.Range(35, 68), 1, 1) + rng.Range(0, 364);
        int licenceYear = std::min(startYear - 1, YmdFromDay(t.birth).year + rng.Range(33, 45));
        t.licence = DayFromYmd(licenceYear, 3, 1);
        t.quality = rng.Uniform();
        t.results.thisYear.year = startYear;
        SyntheticCareer(rng, t.results, t.centre, licenceYear, startYear - 1,
                        200 + rng.Range(0, 150), 0.04 + 0.09 * t.quality, nullptr);
        w.trainers.push_back(std::move(t));
    }

    // Central jockeys: a few stars, a broad middle, apprentices. Short names
    // are kept unique but for one deliberate pair (the recommendation table
    // matches riders by name, the judgement by code).
    std::set<std::string> shortNames;
    const auto twins = MakeShortNameTwins(rng);
    shortNames.insert(twins.first.shortName);
    const int twinA = std::min(5, shape.centralJockeys - 1);
    const int twinB = shape.centralJockeys - 1;
    for (int i = 0; i < shape.centralJockeys; ++i) {
        Jockey j;
        j.kind = JockeyKind::Central;
        j.code = text::Format("%05d", 1000 + w.nextJockeyCode++);
        j.sex = i % 29 == 7 ? 2 : 1;
        PersonName n;
        if (i == twinA) {
            n = twins.first;
        } else if (i == twinB) {
            n = twins.second;
        } else {
            for (int attempt = 0; attempt < 200; ++attempt) {
                n = MakePersonName(rng, j.sex == 2);
                if (shortNames.insert(n.shortName).second) break;
            }
        }
        j.fullName = n.full;
        j.kana = n.kana;
        j.shortName = n.shortName;
        j.centre = i % 2 == 0 ? Centre::East : Centre::West;
        double rank = static_cast<double>(i) / std::max(1, shape.centralJockeys - 1);
        j.skill = std::clamp(1.0 - 0.85 * std::sqrt(rank) + rng.Normal() * 0.04, 0.12, 1.0);
        bool apprentice = i >= shape.centralJockeys * 85 / 100;
        int age = apprentice ? rng.Range(18, 21) : rng.Range(22, 52);
        j.birth = DayFromYmd(startYear - age, 1, 1) + rng.Range(0, 364);
        int licenceYear =
            apprentice ? startYear - rng.Range(0, 2) : YmdFromDay(j.birth).year + rng.Range(18, 21);
        licenceYear = std::min(licenceYear, startYear);
        j.licence = DayFromYmd(licenceYear, 3, 1);
        if (j.licence > start) j.licence = start - 7;
        j.results.thisYear.year = startYear;
        int perYear = static_cast<int>(150 + 520 * j.skill);
        SyntheticCareer(rng, j.results, j.centre, licenceYear, startYear - 1,
                        apprentice ? perYear / 2 : perYear, 0.02 + 0.17 * j.skill * j.skill,
                        &j.careerWins);
        j.firstRide = SyntheticRide(rng, j.licence, j.centre, false);
        if (j.careerWins > 0)
            j.firstWin = SyntheticRide(rng, j.firstRide.date + rng.Range(7, 120), j.centre, true);
        if (j.firstWin.date >= start) j.firstWin = RaceRef{};
        if (j.firstRide.date >= start) j.firstRide = RaceRef{};
        j.stableTrainer = rng.Chance(0.5) ? TrainerOf(w, rng, j.centre) : -1;
        w.jockeys.push_back(std::move(j));
    }

    for (int i = 0; i < shape.foreignJockeys; ++i) {
        Jockey j;
        j.kind = JockeyKind::Foreign;
        j.code = text::Format("%05d", 5001 + i);
        PersonName n = MakeForeignName(rng);
        j.fullName = n.full;
        j.kana = n.kana;
        j.shortName = n.shortName;
        j.centre = i % 2 == 0 ? Centre::East : Centre::West;
        j.birth = DayFromYmd(startYear - rng.Range(26, 40), 1, 1) + rng.Range(0, 364);
        j.licence = start - 30;
        j.skill = 0.85 + 0.13 * rng.Uniform();
        j.results.thisYear.year = startYear;
        j.results.lastYear.year = startYear - 1;
        w.jockeys.push_back(std::move(j));
    }
    for (int i = 0; i < shape.overseasJockeys; ++i) {
        Jockey j;
        j.kind = JockeyKind::Overseas;
        j.code = text::Format("%05d", 5101 + i);
        PersonName n = MakeForeignName(rng);
        j.fullName = n.full;
        j.kana = n.kana;
        j.shortName = n.shortName;
        j.birth = DayFromYmd(startYear - rng.Range(25, 45), 1, 1) + rng.Range(0, 364);
        j.licence = DayFromYmd(startYear - 5, 1, 1);
        j.skill = 0.8 + 0.15 * rng.Uniform();
        j.results.thisYear.year = startYear;
        j.results.lastYear.year = startYear - 1;
        w.jockeys.push_back(std::move(j));
    }
    const auto localVenues = LocalVenues();
    for (std::size_t v = 0; v < localVenues.size(); ++v) {
        for (int i = 0; i < shape.localJockeysPerVenue; ++i) {
            Jockey j;
            j.kind = JockeyKind::Local;
            j.localVenue = static_cast<int>(v);
            j.code = text::Format("%05d", 30000 + w.nextLocalJockeyCode++);
            j.sex = rng.Chance(0.08) ? 2 : 1;
            PersonName n = MakePersonName(rng, j.sex == 2);
            j.fullName = n.full;
            j.kana = n.kana;
            j.shortName = n.shortName;
            j.birth = DayFromYmd(startYear - rng.Range(20, 50), 1, 1) + rng.Range(0, 364);
            j.licence = std::min(shape.preStart, DayFromYmd(YmdFromDay(j.birth).year + 18, 4, 1));
            j.skill = 0.3 + 0.6 * rng.Uniform();
            j.results.thisYear.year = startYear;
            j.results.lastYear.year = startYear - 1;
            w.jockeys.push_back(std::move(j));
        }
    }

    // Each trainer calls on a few riders of its own centre, good ones more often.
    for (auto& t : w.trainers) {
        std::vector<double> weights;
        for (const auto& j : w.jockeys) {
            bool fits = j.kind == JockeyKind::Central && j.centre == t.centre;
            weights.push_back(fits ? 0.1 + j.skill * j.skill : 0.0);
        }
        for (int k = 0; k < 3; ++k)
            t.favouriteJockeys.push_back(static_cast<int>(rng.Pick(weights)));
    }

    // Horses of ages 2 to 8 on the first day, fewer of each older age. A
    // league too short to see the two-year-olds debut in June has none.
    constexpr double kAgeShare[] = {0.32, 0.31, 0.14, 0.105, 0.07, 0.04, 0.015};
    const bool withTwoYearOlds = shape.cropSize > 0;
    const double shareSum = withTwoYearOlds ? 1.0 : 1.0 - kAgeShare[0];
    for (int a = withTwoYearOlds ? 0 : 1; a < 7; ++a) {
        int age = a + 2;
        int count = static_cast<int>(shape.initialHorses * kAgeShare[a] / shareSum + 0.5);
        int birthYear = startYear - age;
        if (age == 2) {
            RegisterCrop(w, rng, birthYear, count, start);
            continue;
        }
        for (int i = 0; i < count; ++i) {
            Horse h = MakeHorse(w, rng, birthYear);
            h.registered = DayFromYmd(birthYear + 2, 1, 1);
            if (age >= 4 && h.sex == 1 && rng.Chance(0.08 * (age - 3))) h.sex = 3;
            int wins = InitialClassWins(rng, h, age);
            h.classWins = static_cast<std::uint8_t>(wins);
            bool debuted = age >= 4 || wins > 0 || rng.Chance(0.6);
            if (debuted) {
                PreLeagueRuns(rng, h, age, wins);
                if (h.centralStarts == 0) h.centralStarts = 1;
                h.ready = start + rng.Range(-2 * shape.minRestDays, 2 * shape.minRestDays);
                h.debutFrom = h.ready;
            } else {
                h.debutFrom = start + rng.Range(0, 80);
                h.ready = h.debutFrom;
            }
            w.horses.push_back(std::move(h));
        }
    }

    // Horses with a local career that join the league on `localUntil`.
    for (int i = 0; i < shape.transferHorses; ++i) {
        int age = rng.Range(4, 7);
        Horse h = MakeHorse(w, rng, startYear - age);
        h.transfer = true;
        h.symbol = 21;  // [地]
        h.ability -= 0.3f;
        h.turfPref = static_cast<float>(0.4 * rng.Uniform());
        h.loc = Location::Local;
        h.localVenue = static_cast<int>(rng.Below(static_cast<std::uint32_t>(localVenues.size())));
        int birthYear = startYear - age;
        h.debutFrom = std::max(shape.preStart, DayFromYmd(birthYear + 2, 6, 1) + rng.Range(0, 120));
        h.ready = h.debutFrom;
        Day latest = std::min(start + 200, shape.lastDay - 10);
        h.localUntil = RandomDayIn(rng, start - 60, std::max(start - 60, latest));
        h.registered = h.localUntil;
        w.localHorses.push_back(static_cast<int>(w.horses.size()));
        w.horses.push_back(std::move(h));
    }
    return w;
}

}  // namespace quindle::jvsim::league
