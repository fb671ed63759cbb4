#include "jvsim/league/simulation.h"

#include <algorithm>
#include <map>

#include "core/store/record_layout.h"
#include "core/text/fields.h"
#include "jvsim/league/field.h"
#include "jvsim/league/offtrack.h"
#include "jvsim/league/outcome.h"
#include "jvsim/league/programme.h"
#include "jvsim/league/records.h"
#include "jvsim/league/venues.h"

namespace quindle::jvsim::league {
namespace {

// Data kinds of the records as the service marks them.
constexpr char kEntryListKind = '1';  // 出走馬名表
constexpr char kCardKind = '2';       // 出馬表, the final card
constexpr char kResultKind = '7';
constexpr char kFlashResultKind = '6';  // real-time results, all runners
constexpr char kPayoutKind = '2';       // payouts, final
constexpr char kFlashPayoutKind = '1';  // payouts, real-time
constexpr char kMiningEveKind = '1';    // mining predictions the day before
constexpr char kMiningDayKind = '2';
constexpr char kMiningLateKind = '3';

// When the accumulated files of a race day appear.
constexpr int kEntryListsAt = 1630;  // two days before
constexpr int kCardsAt = 1030;       // the day before
constexpr int kMiningAt = 1900;      // the day before
constexpr int kResultsAt = 1800;     // the race day
constexpr int kMastersAt = 1000;     // Mondays
constexpr int kOffTrackAt = 900;     // Tuesdays, the week's local and overseas races

// "RA7_20250105_06.jvd": record type, data kind, day and venue of the records.
std::string FileName(std::string_view type, char kind, Day day, std::string_view venue) {
    std::string name(type);
    if (kind != 0) name += kind;
    name += "_" + Date8(day);
    if (!venue.empty()) name += "_" + std::string(venue);
    return name + ".jvd";
}

// Copies of `records` with another data kind and creation date.
std::vector<std::string> Remade(const std::vector<std::string>& records, char kind,
                                const std::string& created8) {
    std::vector<std::string> out = records;
    for (std::string& r : out) {
        text::PutField(r, store::layout::head::kDataKind, std::string(1, kind));
        text::PutField(r, store::layout::head::kCreationDate, created8);
    }
    return out;
}

RunFacts FactsOf(const Race& race, const Runner& r) {
    RunFacts f;
    const RaceInfo& s = race.info;
    f.central = s.kind == '7';
    f.venue = s.venue;
    f.surface = s.surface;
    f.turn = s.turn;
    f.distance = s.distance;
    f.going = s.Going();
    f.finish = r.Finished() ? r.finish : 0;
    f.prize = r.prize;
    f.added = r.added;
    f.style = race.RunningStyle(r);
    return f;
}

RaceRef RefOf(const Race& race, const Runner& r, const Horse& h) {
    RaceRef ref;
    const RaceInfo& s = race.info;
    ref.date = s.date;
    ref.venue = s.venueCode;
    ref.meeting = s.meeting;
    ref.dayOfMeeting = s.dayOfMeeting;
    ref.raceNumber = s.raceNumber;
    ref.starters = race.starters;
    ref.pedigree = text::Format("%010lld", static_cast<long long>(h.pedigree));
    ref.horseName = h.name;
    ref.finish = r.finish;
    ref.raceName = s.name.name;
    ref.short10 = s.name.short10;
    ref.short6 = s.name.short6;
    ref.short3 = s.name.short3;
    ref.grade = s.grade;
    return ref;
}

void PushGraded(std::vector<RaceRef>& wins, const RaceRef& ref) {
    wins.insert(wins.begin(), ref);
    if (wins.size() > 3) wins.resize(3);
}

void AddRider(Horse& h, int jockey) {
    if (!h.RodeBy(jockey)) h.riders.push_back(static_cast<std::int16_t>(jockey));
    if (h.mainJockey < 0 || h.lastJockey == jockey)
        h.mainJockey = static_cast<std::int16_t>(jockey);
    h.lastJockey = static_cast<std::int16_t>(jockey);
}

std::int64_t PaidTo(const Payouts& p, Bet bet, int horseNumber) {
    for (const Payout& x : p.Of(bet)) {
        if (x.combo.size() == 1 && x.combo[0] == horseNumber) return x.yen;
    }
    return 0;
}

}  // namespace

Simulation::Simulation(World& world, Emitter& emitter, LeagueSummary& summary, JockDataTally& tally)
    : w_(world), emit_(emitter), summary_(summary), tally_(tally) {}

void Simulation::SetRaceLog(RaceLog log) {
    raceLog_ = std::move(log);
}

int Simulation::RestDays(Rng& rng) const {
    const LeagueShape& s = w_.shape;
    if (s.size == LeagueSize::Small) return s.minRestDays + rng.Range(0, 5);
    int rest = s.minRestDays + rng.Range(0, 14) + rng.Range(0, 28);
    if (rng.Chance(0.06)) rest += rng.Range(60, 180);  // a break: injury or a summer out
    return rest;
}

Status Simulation::Run(const std::vector<RaceDay>& days) {
    const LeagueShape& shape = w_.shape;
    std::size_t next = 0;
    const Day mastersFirst = shape.historyStart - 3;
    int mondays = 0;
    for (Day d = shape.preStart; d <= shape.lastDay; ++d) {
        Rng rng(DeriveSeed(w_.seed, 0x444159, static_cast<std::uint64_t>(d)));
        Ymd ymd = YmdFromDay(d);
        if (d >= shape.historyStart - 7 && ymd.month == 1 && ymd.day == 1)
            NewYear(ymd.year, d, rng);
        if (d > shape.historyStart && ymd.month == 3 && ymd.day == 1 &&
            shape.newJockeysPerYear > 0) {
            LicenceApprentices(w_, rng, shape.newJockeysPerYear, d);
        }
        if (d == mastersFirst) {
            if (auto s = EmitMasters(d, true); !s) return s;
        }
        if (WeekdayOf(d) == 2) {
            if (auto s = FlushOffTrack(d); !s) return s;
        }
        if (auto s = RunOffTrack(d, rng); !s) return s;
        if (next < days.size() && days[next].date == d) {
            if (auto s = RunRaceDay(days[next]); !s) return s;
            ++next;
        }
        if (WeekdayOf(d) == 1 && d > shape.historyStart) {
            Housekeeping(d, rng);
            // The history's masters come once, the week before the full
            // season; then every `masterEveryWeeks` weeks.
            bool season = d >= shape.fullFrom;
            bool lastBeforeSeason = d < shape.fullFrom && d + 7 >= shape.fullFrom;
            if (lastBeforeSeason ||
                (season && ++mondays % std::max(1, shape.masterEveryWeeks) == 0)) {
                if (auto s = EmitMasters(d, false); !s) return s;
            }
        }
    }
    // Whatever changed since the last files, the day after the league.
    if (auto s = FlushOffTrack(shape.lastDay + 1); !s) return s;
    return EmitMasters(shape.lastDay + 1, false);
}

void Simulation::NewYear(int year, Day day, Rng& rng) {
    for (auto& j : w_.jockeys) {
        j.results.Roll(year);
        j.dirty = true;
        // Older and weaker riders hang up their boots at the turn of the year.
        int age = year - YmdFromDay(j.birth).year;
        if (j.kind == JockeyKind::Central && j.retiredOn == 0 && day > w_.shape.historyStart &&
            ((age > 50 && rng.Chance(0.35)) || (age > 38 && j.skill < 0.3 && rng.Chance(0.15)))) {
            j.retiredOn = day;
        }
    }
    for (auto& t : w_.trainers) {
        t.results.Roll(year);
        t.dirty = true;
    }
    const int startYear = YmdFromDay(w_.shape.historyStart).year;
    if (year > startYear && w_.shape.cropSize > 0)
        RegisterCrop(w_, rng, year - 2, w_.shape.cropSize, day);
}

void Simulation::Retire(Horse& h, Day day) {
    h.loc = Location::Retired;
    h.retiredOn = day;
    h.dirty = true;
}

void Simulation::Housekeeping(Day day, Rng& rng) {
    const Ymd ymd = YmdFromDay(day);
    const bool maidenSeasonOver = ymd.month > 9 || (ymd.month == 9 && ymd.day >= 20);
    for (int i = 0; i < static_cast<int>(w_.horses.size()); ++i) {
        Horse& h = w_.horses[static_cast<std::size_t>(i)];
        const int age = h.AgeOn(day);
        if (h.loc == Location::Local) {
            if (age >= 9) Retire(h, day);
            continue;
        }
        if (h.loc != Location::Central) continue;
        if (age == 3 && h.classWins == 0 && maidenSeasonOver) {
            // The maiden races are over: most leave the league; some race at
            // a local track and come back to a JRA stable after a while
            // (the others' local careers are no longer JRA data).
            if (h.centralStarts > 0 && rng.Chance(0.12)) {
                h.loc = Location::Local;
                h.localVenue =
                    static_cast<int>(rng.Below(static_cast<std::uint32_t>(LocalVenues().size())));
                h.ready = day + rng.Range(21, 45);
                h.localUntil = day + rng.Range(150, 400);
                h.dirty = true;
                w_.localHorses.push_back(i);
            } else {
                Retire(h, day);
            }
            continue;
        }
        static constexpr double kWeekly[] = {0, 0, 0, 0, 0.001, 0.003, 0.006, 0.012, 0.04};
        double p = age >= 9 ? 1.0 : kWeekly[age];
        if (h.sex == 2 && age >= 5) p += 0.004;
        if (rng.Chance(p)) {
            Retire(h, day);
            continue;
        }
        if (h.sex == 1 && age >= 4 && rng.Chance(0.002)) {
            h.sex = 3;
            h.dirty = true;
        }
    }
}

Status Simulation::EmitMasters(Day day, bool everything) {
    std::vector<std::string> um, ks, ch;
    for (Horse& h : w_.horses) {
        if (!(h.dirty || everything) || h.registered > day) continue;
        if (h.transfer && h.loc == Location::Local && h.localUntil > day)
            continue;  // not a JRA horse yet
        um.push_back(BuildUM(w_, h, day));
        h.written = true;
        h.dirty = false;
    }
    for (Jockey& j : w_.jockeys) {
        if (!(j.dirty || everything) || j.licence > day) continue;
        ks.push_back(BuildKS(w_, j, day));
        j.written = true;
        j.dirty = false;
    }
    for (Trainer& t : w_.trainers) {
        if (!(t.dirty || everything)) continue;
        ch.push_back(BuildCH(w_, t, day));
        t.written = true;
        t.dirty = false;
    }
    if (auto s = emit_.AddFile("DIFN", day, kMastersAt, FileName("UM", 0, day, ""), um); !s)
        return s;
    if (auto s = emit_.AddFile("DIFN", day, kMastersAt, FileName("KS", 0, day, ""), ks); !s)
        return s;
    return emit_.AddFile("DIFN", day, kMastersAt, FileName("CH", 0, day, ""), ch);
}

void Simulation::ApplyOffTrack(const Race& race) {
    for (const Runner& r : race.runners) {
        Horse& h = w_.horses[static_cast<std::size_t>(r.horse)];
        ++h.runs;
        h.counts.Add(FactsOf(race, r));
        AddRider(h, r.jockey);
        h.lastWeight = static_cast<std::int16_t>(r.bodyWeight);
        if (r.finish == 1 && h.loc == Location::Local) ++h.localWins;
        h.dirty = true;
    }
}

void Simulation::ApplyCentral(const Race& race) {
    const RaceInfo& s = race.info;
    Rng rng(DeriveSeed(w_.seed, 0x52455354, static_cast<std::uint64_t>(s.date),
                       static_cast<std::uint64_t>(s.venue * 100 + s.raceNumber)));
    for (const Runner& r : race.runners) {
        Horse& h = w_.horses[static_cast<std::size_t>(r.horse)];
        Jockey& j = w_.jockeys[static_cast<std::size_t>(r.jockey)];
        Trainer& t = w_.trainers[static_cast<std::size_t>(h.trainer)];
        const RunFacts facts = FactsOf(race, r);
        ++h.runs;
        AddRider(h, r.jockey);
        h.dirty = true;
        j.dirty = true;
        t.dirty = true;
        if (!r.Started()) {
            h.ready = s.date + 7 + rng.Range(0, 14);
            continue;
        }
        ++h.centralStarts;
        h.counts.Add(facts);
        h.lastWeight = static_cast<std::int16_t>(r.bodyWeight);
        h.ready = s.date + RestDays(rng);
        j.results.Add(facts);
        t.results.Add(facts);
        const RaceRef ref = RefOf(race, r, h);
        if (j.firstRide.date == 0) j.firstRide = ref;
        if (r.finish == 1) {
            h.classWins = static_cast<std::uint8_t>(std::min(12, h.classWins + 1));
            ++j.careerWins;
            if (j.firstWin.date == 0) j.firstWin = ref;
            if (s.Graded()) {
                PushGraded(j.gradedWins, ref);
                PushGraded(t.gradedWins, ref);
            }
        }
    }
}

void Simulation::Count(const Race& race, const Payouts& payouts) {
    ++summary_.centralRaces;
    bool pair = false;
    int favouriteFinish = 0;
    for (const Runner& r : race.runners) {
        ++summary_.patterns.runners;
        switch (r.pattern) {
            case Pattern::None:
                ++summary_.patterns.firstRun;
                break;
            case Pattern::TenNori:
                ++summary_.patterns.tenNori;
                break;
            case Pattern::Renzoku:
                ++summary_.patterns.renzoku;
                break;
            case Pattern::NoriModori:
                ++summary_.patterns.noriModori;
                break;
        }
        if (r.get) {
            ++summary_.getMarks;
            pair = true;
        }
        if (r.give) ++summary_.giveMarks;
        if (r.deadHeat && r.finish > 0) ++summary_.deadHeats;
        if (r.abnormality == kScratched) ++summary_.scratches;
        if (r.abnormality == kPulledUp) ++summary_.pulledUp;
        if (r.winPopularity == 1) favouriteFinish = r.finish;
        tally_.Add(r.jockey, r.winPopularity, r.pattern, PaidTo(payouts, Bet::Win, r.horseNumber),
                   PaidTo(payouts, Bet::Place, r.horseNumber));
    }
    if (pair) ++summary_.getGiveRaces;
    if (favouriteFinish == 1) ++summary_.favouriteWins;
    ++summary_.fieldSizes[std::min<std::size_t>(18, race.runners.size())];
}

Status Simulation::RunOffTrack(Day day, Rng& rng) {
    std::vector<Race> races = LocalRuns(w_, day, rng);
    if (day >= w_.shape.historyStart) {
        for (Race& r : ExchangeRaces(w_, day, rng)) races.push_back(std::move(r));
        for (Race& r : OverseasRuns(w_, day, rng)) races.push_back(std::move(r));
    }
    for (Race& race : races) {
        const std::string created = Date8(day);
        auto& f = offTrack_[race.info.kind];
        f.first.push_back(BuildRA(race, race.info.kind, created, Stage::Result));
        for (const Runner& r : race.runners)
            f.second.push_back(BuildSE(w_, race, r, race.info.kind, created, Stage::Result));
        ApplyOffTrack(race);
        if (race.info.kind == 'A') {
            ++summary_.localRaces;
        } else {
            ++summary_.overseasRaces;
        }
    }
    return Status::Ok();
}

Status Simulation::FlushOffTrack(Day day) {
    for (auto& [kind, records] : offTrack_) {
        if (auto s = emit_.AddFile("RACE", day, kOffTrackAt, FileName("RA", kind, day, ""),
                                   records.first);
            !s)
            return s;
        if (auto s = emit_.AddFile("RACE", day, kOffTrackAt, FileName("SE", kind, day, ""),
                                   records.second);
            !s)
            return s;
    }
    offTrack_.clear();
    return Status::Ok();
}

Status Simulation::RunRaceDay(const RaceDay& day) {
    Rng rng(DeriveSeed(w_.seed, 0x52414345, static_cast<std::uint64_t>(day.date)));
    ++summary_.raceDays;
    std::vector<int> venues;
    for (const VenueDay& vd : day.venues) venues.push_back(vd.venue);
    const auto venueLists = SendJockeysToVenues(w_, venues, day.date, rng);
    DayPool pool = MakeDayPool(w_, day.date);
    std::vector<Race> planned;
    for (const VenueDay& vd : day.venues) {
        for (RaceInfo& info : PlanVenueDay(w_.seed, day, vd, rng)) {
            Race race;
            race.info = std::move(info);
            planned.push_back(std::move(race));
        }
    }
    if (!planned.empty()) ShareFields(w_, planned, pool);
    // Main races draw their fields first, then the named races, then the rest.
    std::vector<std::size_t> order(planned.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto priority = [&](std::size_t i) {
        const RaceInfo& s = planned[i].info;
        return s.raceNumber == 11 ? 0 : s.grade != ' ' ? 1 : 2;
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (priority(a) != priority(b)) return priority(a) < priority(b);
        return planned[a].info.raceNumber != planned[b].info.raceNumber
                   ? planned[a].info.raceNumber < planned[b].info.raceNumber
                   : planned[a].info.slot < planned[b].info.slot;
    });
    std::vector<char> run(planned.size(), 0);
    for (std::size_t i : order) {
        run[i] = FillField(w_, planned[i], pool, rng) ? 1 : 0;
        if (!run[i]) ++summary_.droppedRaces;
    }
    std::vector<Race> races;
    for (std::size_t i = 0; i < planned.size(); ++i) {
        if (run[i]) races.push_back(std::move(planned[i]));
    }

    for (Race& race : races) {
        BookJockeys(w_, race, venueLists[static_cast<std::size_t>(race.info.slot)], rng);
        ClassifyRunners(w_, race);
    }

    const std::string raceDate = Date8(day.date);
    const std::string entryDate = Date8(day.date - 2);
    const std::string eveDate = Date8(day.date - 1);
    struct VenueFiles {
        std::vector<std::string> ra1, se1, ra7, se7, hr, o1, o5, dm;
    };
    std::map<std::string, VenueFiles> byVenue;
    std::vector<std::string> dmDay, dmLate;
    for (Race& race : races) {
        RaceOutcome outcome = RunRace(w_, race, rng, day.realtime);
        Payouts payouts = ComputePayouts(race, outcome.final, *outcome.finalModel);
        VenueFiles& f = byVenue[race.info.venueCode];
        const std::string key = race.info.Key();
        if (day.full) {
            f.ra1.push_back(BuildRA(race, kEntryListKind, entryDate, Stage::EntryList));
            for (const Runner& r : race.runners)
                f.se1.push_back(BuildSE(w_, race, r, kEntryListKind, entryDate, Stage::EntryList));
            f.dm.push_back(BuildDM(race, kMiningEveKind, eveDate, 1830));
            f.o5.push_back(BuildO5(race, outcome.final));
        }
        std::string ra7 = BuildRA(race, kResultKind, raceDate, Stage::Result);
        std::vector<std::string> se7;
        for (const Runner& r : race.runners)
            se7.push_back(BuildSE(w_, race, r, kResultKind, raceDate, Stage::Result));
        std::string hr = BuildHR(race, payouts, kPayoutKind, raceDate);
        f.o1.push_back(BuildO1(race, outcome.final));
        if (day.realtime) {
            for (const OddsBoard& b : outcome.series) {
                std::string o1 = BuildO1(race, b);
                std::string o5 = BuildO5(race, b);
                if (auto s = emit_.AddTimeSeries(key, o1, o5); !s) return s;
                if (auto s = emit_.AddRealtime("0B30", key, b.day, b.hhmm, {o1, o5}); !s) return s;
            }
            // The final odds once the result is official.
            if (auto s = emit_.AddRealtime("0B30", key, day.date, race.resultsAt,
                                           {f.o1.back(), BuildO5(race, outcome.final)});
                !s)
                return s;
            // The flash results are the final records marked as such.
            std::vector<std::string> flash;
            const std::string flashKind(1, kFlashResultKind);
            flash.push_back(ra7);
            for (const std::string& se : se7) flash.push_back(se);
            for (std::string& r : flash)
                text::PutField(r, store::layout::head::kDataKind, flashKind);
            flash.push_back(BuildHR(race, payouts, kFlashPayoutKind, raceDate));
            if (auto s = emit_.AddRealtime("0B12", key, day.date, race.resultsAt, flash); !s)
                return s;
            dmDay.push_back(BuildDM(race, kMiningDayKind, raceDate, 830));
            dmLate.push_back(BuildDM(race, kMiningLateKind, raceDate, 1200));
        }
        f.ra7.push_back(std::move(ra7));
        for (auto& se : se7) f.se7.push_back(std::move(se));
        f.hr.push_back(std::move(hr));
        Count(race, payouts);
        if (raceLog_) raceLog_(LogRace(w_, race, payouts));
        ApplyCentral(race);
    }

    for (const auto& [venue, f] : byVenue) {
        // The card (出馬表) the day before replaces the entry lists.
        const std::vector<std::string> ra2 = Remade(f.ra1, kCardKind, Date8(day.date - 1));
        const std::vector<std::string> se2 = Remade(f.se1, kCardKind, Date8(day.date - 1));
        struct Out {
            const char* spec;
            Day day;
            int at;
            const char* type;
            char kind;
            const std::vector<std::string>& records;
        };
        const Out outs[] = {
            {"RACE", day.date - 2, kEntryListsAt, "RA", kEntryListKind, f.ra1},
            {"RACE", day.date - 2, kEntryListsAt, "SE", kEntryListKind, f.se1},
            {"RACE", day.date - 1, kCardsAt, "RA", kCardKind, ra2},
            {"RACE", day.date - 1, kCardsAt, "SE", kCardKind, se2},
            {"MING", day.date - 1, kMiningAt, "DM", kMiningEveKind, f.dm},
            {"RACE", day.date, kResultsAt, "RA", kResultKind, f.ra7},
            {"RACE", day.date, kResultsAt, "SE", kResultKind, f.se7},
            {"RACE", day.date, kResultsAt, "HR", kPayoutKind, f.hr},
            {"RACE", day.date, kResultsAt, "O1", kFinalOddsKind, f.o1},
            {"RACE", day.date, kResultsAt, "O5", kFinalOddsKind, f.o5},
        };
        for (const Out& o : outs) {
            auto s = emit_.AddFile(o.spec, o.day, o.at, FileName(o.type, o.kind, day.date, venue),
                                   o.records);
            if (!s) return s;
        }
    }
    if (day.realtime) {
        if (auto s = emit_.AddRealtime("0B13", raceDate, day.date, 830, dmDay); !s) return s;
        if (auto s = emit_.AddRealtime("0B13", raceDate, day.date, 1200, dmLate); !s) return s;
    }
    return Status::Ok();
}

}  // namespace quindle::jvsim::league
