// The small league's races: payouts follow the finishing order and the final
// odds, popularity ranks follow the odds, and the riding patterns the
// generator reports are what the judgement will find in the run histories.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "jvsim/league/extra_layout.h"
#include "league_fixture.h"

namespace quindle::jvsim::league::testing {
namespace {

namespace layout = store::layout;
using text::FieldAt;
using text::FieldInt;

struct RaceRecords {
    std::string ra;
    std::vector<std::string> runners;  // SE kind 7
    std::string hr;
    std::string o1;  // final odds
    std::string o5;
};

// Results of the JRA races by race key.
std::map<std::string, RaceRecords> ResultRaces() {
    std::map<std::string, RaceRecords> races;
    for (const auto& f : SmallFiles()) {
        for (const auto& r : f.records) {
            std::string key(FieldAt(r, layout::head::kRaceKey));
            std::string_view kind = FieldAt(r, layout::head::kDataKind);
            std::string_view type = TypeOf(r);
            if (type == "RA" && kind == "7") races[key].ra = r;
            if (type == "SE" && kind == "7") races[key].runners.push_back(r);
            if (type == "HR") races[key].hr = r;
            if (type == "O1") races[key].o1 = r;
            if (type == "O5") races[key].o5 = r;
        }
    }
    return races;
}

// Horse numbers in the entries of an HR block.
std::vector<std::string> Combos(const std::string& hr, layout::hr::BetType bet) {
    const auto& b = layout::hr::Block(bet);
    std::vector<std::string> out;
    for (int k = 1; k <= b.entries; ++k) {
        auto combo = FieldAt(hr, b.Combo(k));
        if (text::ReadInt(combo) > 0) out.emplace_back(combo);
    }
    return out;
}

std::int64_t PayoutOf(const std::string& hr, layout::hr::BetType bet, int k) {
    return FieldInt(hr, layout::hr::Block(bet).Payout(k));
}

TEST(LeagueRaces, PayoutsFollowTheFinishingOrderAndTheFinalOdds) {
    using layout::hr::BetType;
    int checked = 0, deadHeats = 0;
    for (const auto& [key, race] : ResultRaces()) {
        if (race.hr.empty()) continue;
        ASSERT_FALSE(race.ra.empty()) << key;
        ASSERT_FALSE(race.o1.empty()) << key;
        ++checked;
        std::map<int, std::vector<int>> byFinish;  // finish -> horse numbers
        int starters = 0;
        for (const auto& se : race.runners) {
            int number = static_cast<int>(FieldInt(se, layout::se::kHorseNumber));
            int finish = static_cast<int>(FieldInt(se, layout::se::kFinish));
            int abnormal = static_cast<int>(FieldInt(se, layout::se::kAbnormality));
            if (abnormal != 1) ++starters;
            if (finish > 0) byFinish[finish].push_back(number);
        }
        EXPECT_EQ(starters, FieldInt(race.ra, layout::ra::kStarters)) << key;
        if (byFinish.size() <
            static_cast<std::size_t>(std::count_if(
                race.runners.begin(), race.runners.end(),
                [](const std::string& se) { return FieldInt(se, layout::se::kFinish) > 0; }))) {
            ++deadHeats;
        }
        // Win: the horses placed first.
        std::vector<std::string> winners;
        for (int n : byFinish.begin()->second) winners.push_back(text::Format("%02d", n));
        EXPECT_EQ(Combos(race.hr, BetType::Win), winners) << key;
        if (winners.size() == 1) {
            int number = std::stoi(winners[0]);
            EXPECT_EQ(PayoutOf(race.hr, BetType::Win, 1),
                      FieldInt(race.o1, layout::o1::kWinOdds(number - 1)) * 10)
                << key;
        }
        // Place: the horses of the paid places, in finishing order, each paid
        // within its final place odds.
        const int paid = starters <= 7 ? 2 : 3;
        std::vector<std::string> placed;
        for (const auto& [finish, numbers] : byFinish) {
            if (finish > paid) break;
            for (int n : numbers) placed.push_back(text::Format("%02d", n));
        }
        auto place = Combos(race.hr, BetType::Place);
        ASSERT_EQ(place, placed) << key;
        for (std::size_t k = 0; k < place.size(); ++k) {
            int i = std::stoi(place[k]) - 1;
            auto yen = PayoutOf(race.hr, BetType::Place, static_cast<int>(k) + 1);
            EXPECT_GE(yen, FieldInt(race.o1, layout::o1::kPlaceOddsLow(i)) * 10) << key;
            EXPECT_LE(yen, FieldInt(race.o1, layout::o1::kPlaceOddsHigh(i)) * 10) << key;
        }
        // Trio: the first three, as the final trio odds pay them.
        auto trio = Combos(race.hr, BetType::Trio);
        ASSERT_FALSE(trio.empty()) << key;
        for (const auto& combo : trio) {
            for (int p = 0; p < 3; ++p) {
                int number = std::stoi(combo.substr(static_cast<std::size_t>(2 * p), 2));
                bool inTopThree = false;
                for (const auto& [finish, numbers] : byFinish) {
                    if (finish <= 3 && std::count(numbers.begin(), numbers.end(), number))
                        inTopThree = true;
                }
                EXPECT_TRUE(inTopThree) << key << " trio " << combo;
            }
        }
        if (trio.size() == 1 && !race.o5.empty()) {
            for (int n = 1; n <= layout::o5::kTrioEntries; ++n) {
                if (FieldAt(race.o5, layout::o5::kTrioCombo(n)) == trio[0]) {
                    EXPECT_EQ(PayoutOf(race.hr, BetType::Trio, 1),
                              FieldInt(race.o5, layout::o5::kTrioOdds(n)) * 10);
                }
            }
        }
        // Exacta and trifecta start with a winner.
        for (const auto& combo : Combos(race.hr, BetType::Exacta)) {
            EXPECT_TRUE(std::count(winners.begin(), winners.end(), combo.substr(0, 2))) << key;
        }
    }
    EXPECT_GT(checked, 200);
    EXPECT_GT(deadHeats, 0) << "the small league should hold a dead heat";
}

// Popularity ranks of an odds board: entries with odds ordered by odds, then
// by `tie` odds, then by number, must carry ranks 1, 2, 3 ...; entries
// without odds carry no rank.
void ExpectRanksFitOdds(const std::string& record, int entries, auto odds, auto tie, auto rank,
                        const std::string& what) {
    std::vector<std::tuple<std::int64_t, std::int64_t, int>> ordered;
    for (int i = 0; i < entries; ++i) {
        std::string_view o = FieldAt(record, odds(i));
        if (text::IsBlank(o)) continue;
        if (o.find_first_not_of('-') == std::string_view::npos) {
            EXPECT_EQ(FieldAt(record, rank(i)).find_first_not_of('-'), std::string_view::npos)
                << what;
            continue;
        }
        ordered.emplace_back(text::ReadInt(o), FieldInt(record, tie(i)), i);
    }
    std::sort(ordered.begin(), ordered.end());
    for (std::size_t k = 0; k < ordered.size(); ++k) {
        EXPECT_EQ(FieldInt(record, rank(std::get<2>(ordered[k]))), static_cast<std::int64_t>(k) + 1)
            << what << " entry " << std::get<2>(ordered[k]);
    }
}

TEST(LeagueRaces, PopularityRanksFitTheOdds) {
    namespace o1 = layout::o1;
    namespace o5 = layout::o5;
    int boards = 0, scratched = 0;
    auto checkOdds = [&](const std::string& r, const std::string& where) {
        if (TypeOf(r) == "O1") {
            ++boards;
            const int n = static_cast<int>(FieldInt(r, extra::o1::kEntered));
            ExpectRanksFitOdds(r, n, o1::kWinOdds, o1::kPlaceOddsLow, o1::kWinPopularity,
                               where + " win");
            ExpectRanksFitOdds(r, n, o1::kPlaceOddsLow, o1::kPlaceOddsHigh, o1::kPlacePopularity,
                               where + " place");
            for (int i = 0; i < o1::kWinEntries; ++i) {
                bool inField = i < n;
                EXPECT_EQ(text::IsBlank(FieldAt(r, o1::kWinEntry(i))), !inField) << where;
                if (inField && FieldAt(r, o1::kWinOdds(i)) == "----") ++scratched;
            }
        } else if (TypeOf(r) == "O5") {
            const int n = static_cast<int>(FieldInt(r, extra::o5::kEntered));
            const int combos = n * (n - 1) * (n - 2) / 6;
            // Entries are numbered from 1; equal odds rank by combination.
            ExpectRanksFitOdds(
                r, combos, [](int i) { return o5::kTrioOdds(i + 1); },
                [](int i) { return o5::kTrioCombo(i + 1); },
                [](int i) { return o5::kTrioPopularity(i + 1); }, where + " trio");
            EXPECT_FALSE(text::IsBlank(FieldAt(r, o5::kTrioEntry(combos))));
            if (combos < o5::kTrioEntries) {
                EXPECT_TRUE(text::IsBlank(FieldAt(r, o5::kTrioEntry(combos + 1))));
            }
        }
    };
    for (const auto& f : SmallFiles()) {
        for (const auto& r : f.records) checkOdds(r, f.name);
    }
    for (const auto& a : SmallAnnouncements()) {
        for (const auto& r : a.records) checkOdds(r, a.name);
    }
    EXPECT_GT(boards, 500);
    EXPECT_GT(scratched, 0) << "some horse should be scratched";
}

TEST(LeagueRaces, OddsAnnouncementsRunThroughTheMorningUpToThePost) {
    std::map<std::string, std::vector<std::string>> times;  // race key -> announcement times
    for (const auto& a : SmallAnnouncements()) {
        if (a.spec != "0B30") continue;
        ASSERT_EQ(a.records.size(), 2u);
        EXPECT_EQ(TypeOf(a.records[0]), "O1");
        EXPECT_EQ(TypeOf(a.records[1]), "O5");
        std::string key(FieldAt(a.records[0], layout::head::kRaceKey));
        // Served from the time the odds were announced on (the final odds,
        // announced at the post, once the result is official).
        EXPECT_LE(std::string(FieldAt(a.records[0], layout::o1::kAnnounced)), a.stamp.substr(4, 8));
        times[key].push_back(a.stamp);
    }
    ASSERT_GT(times.size(), 20u);
    for (const auto& [key, list] : times) {
        EXPECT_GE(list.size(), 2u) << key;
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    }
    // The viewer's folder holds the same announcements, one line each.
    const auto folder = SmallLeague() / "jikeiretu";
    int lines = 0;
    for (const auto& [key, list] : times) {
        auto file = folder / key.substr(0, 8) / (key.substr(8) + ".jvO1");
        auto records = SplitRecords(ReadBytes(file));
        ASSERT_FALSE(records.empty()) << file;
        for (const auto& r : records) {
            EXPECT_EQ(r.size(), 962u);
            EXPECT_EQ(FieldAt(r, layout::head::kRaceKey), key);
        }
        lines += static_cast<int>(records.size());
        EXPECT_EQ(
            SplitRecords(ReadBytes(folder / key.substr(0, 8) / (key.substr(8) + ".jvO5"))).size(),
            records.size());
    }
    EXPECT_EQ(lines, SmallSummary().timeSeriesLines);
}

// The judgement's view: every SE record with a result kind goes into its
// horse's history; a JRA runner is compared with its runs before the day.
TEST(LeagueRaces, ReportedPatternsAreWhatTheRunHistoriesShow) {
    struct Run {
        std::string date, key, jockey;
    };
    std::map<std::string, std::vector<Run>> history;  // pedigree -> runs
    std::vector<std::string> central;
    for (const auto& f : SmallFiles()) {
        for (const auto& r : f.records) {
            if (TypeOf(r) != "SE") continue;
            char kind = KindOf(r);
            if (kind != '7' && kind != 'A' && kind != 'B') continue;
            history[std::string(FieldAt(r, layout::se::kPedigree))].push_back(
                {std::string(FieldAt(r, layout::head::kRaceDate)),
                 std::string(FieldAt(r, layout::head::kRaceKey)),
                 std::string(FieldAt(r, layout::se::kJockeyCode))});
            if (kind == '7') central.push_back(r);
        }
    }
    PatternCounts counted;
    std::map<std::string, std::vector<std::pair<std::string, std::string>>>
        byRace;  // key -> (today, previous rider)
    std::map<std::string, std::vector<std::string>> ridersOfRace;
    for (const auto& r : central) {
        const std::string date(FieldAt(r, layout::head::kRaceDate));
        const std::string jockey(FieldAt(r, layout::se::kJockeyCode));
        const std::string key(FieldAt(r, layout::head::kRaceKey));
        auto runs = history[std::string(FieldAt(r, layout::se::kPedigree))];
        std::vector<Run> past;
        for (const auto& run : runs) {
            if (run.date < date) past.push_back(run);
        }
        std::sort(past.begin(), past.end(),
                  [](const Run& a, const Run& b) { return a.key < b.key; });
        ++counted.runners;
        ridersOfRace[key].push_back(jockey);
        if (past.empty()) {
            ++counted.firstRun;
            continue;
        }
        if (past.back().jockey == jockey) {
            ++counted.renzoku;
        } else if (std::any_of(past.begin(), past.end(),
                               [&](const Run& x) { return x.jockey == jockey; })) {
            ++counted.noriModori;
        } else {
            ++counted.tenNori;
            byRace[key].emplace_back(jockey, past.back().jockey);
        }
    }
    const auto& s = SmallSummary();
    EXPECT_EQ(counted.runners, s.patterns.runners);
    EXPECT_EQ(counted.firstRun, s.patterns.firstRun);
    EXPECT_EQ(counted.tenNori, s.patterns.tenNori);
    EXPECT_EQ(counted.renzoku, s.patterns.renzoku);
    EXPECT_EQ(counted.noriModori, s.patterns.noriModori);
    // Get/Give: a first-ride runner whose last rider rides another runner.
    int getGiveRaces = 0;
    for (const auto& [key, firstRides] : byRace) {
        const auto& riders = ridersOfRace[key];
        bool pair = std::any_of(firstRides.begin(), firstRides.end(), [&](const auto& fr) {
            return std::count(riders.begin(), riders.end(), fr.second) > 0;
        });
        if (pair) ++getGiveRaces;
    }
    EXPECT_EQ(getGiveRaces, s.getGiveRaces);
}

TEST(LeagueRaces, CareersLookLikeRealOnes) {
    const auto& s = SmallSummary();
    const auto& p = s.patterns;
    // Shares among runners with a history: the small league's histories are
    // a few weeks long, so riders come back less often than over a season.
    EXPECT_GT(p.Share(p.renzoku), 0.50);
    EXPECT_LT(p.Share(p.renzoku), 0.75);
    EXPECT_GT(p.Share(p.tenNori), 0.15);
    EXPECT_LT(p.Share(p.tenNori), 0.40);
    EXPECT_GT(p.Share(p.noriModori), 0.03);
    EXPECT_LT(p.Share(p.noriModori), 0.20);
    EXPECT_GT(s.getGiveRaces, s.centralRaces / 5);
    EXPECT_LT(s.getGiveRaces, s.centralRaces);
    EXPECT_GT(s.horsesWith30Runs, 0);
    EXPECT_GT(s.localRaces, 0);
    EXPECT_GT(s.overseasRaces + s.localRaces, 0);
    for (int n = 1; n < 8; ++n) EXPECT_EQ(s.fieldSizes[static_cast<std::size_t>(n)], 0) << n;
    EXPECT_GT(s.fieldSizes[16] + s.fieldSizes[17] + s.fieldSizes[18], 0);
}

}  // namespace
}  // namespace quindle::jvsim::league::testing
