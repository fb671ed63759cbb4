// A whole race day of the small league, end to end: the generator writes the
// league, the substitute serves it to the download engine, the download
// fills a program folder, and the day loader reads the busiest day back.
// Every runner's judgement, odds, result and payouts are then checked against
// what the generator knew of the race when it ran it (its world: who rode the
// horse before, its runs so far, the result it drew), not against the records
// it wrote, so a fault anywhere between the records and the model shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/jockey_recommend_table.h"
#include "core/analysis/riding_pattern.h"
#include "core/env/error_log.h"
#include "core/env/program_folder.h"
#include "core/env/settings_file.h"
#include "core/jvlink/bridge/bridge_client.h"
#include "core/jvlink/download/download_engine.h"
#include "core/jvlink/jvlink_start.h"
#include "core/load/day_files.h"
#include "core/load/day_loader.h"
#include "core/load/jockey_table_file.h"
#include "core/model/payout_calc.h"
#include "core/model/race_day.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"
#include "jvsim/downloaded_league.h"
#include "jvsim/league/league.h"
#include "jvsim/league/league_fixture.h"
#include "jvsim/store/store_reader.h"
#include "jvsim/substitute/sim_jvlink.h"

namespace quindle::jvsim {
namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace head = layout::head;
namespace se = layout::se;
using league::Bet;
using league::LoggedRace;
using league::LoggedRunner;
using league::Pattern;

constexpr std::uint64_t kSeed = 7;
// The download keeps run histories only for horses born after the current
// year minus this.
constexpr int kHistoryYears = 15;
// The small league's one day with three venues.
constexpr int kBusiestDayRaces = 36;

struct WholeDay {
    league::testing::ScratchDir dir;
    std::map<std::string, LoggedRace> races;  // every JRA race of the league, by key
    int currentYear = 0;
    std::string fromTime;  // of the set-up download
    jvlink::DownloadSummary download;
    std::string ymd;  // the day loaded
    std::unique_ptr<model::RaceDay> day = std::make_unique<model::RaceDay>();
    load::DayLoadOutcome outcome;
    std::string failure;  // set when the way there failed

    std::vector<const LoggedRace*> RacesOfDay() const {
        std::vector<const LoggedRace*> out;
        for (const auto& [key, race] : races) {
            if (key.compare(0, 8, ymd) == 0) out.push_back(&race);
        }
        return out;
    }
};

// The day with the most races (the earliest of equals).
std::string BusiestDay(const std::map<std::string, LoggedRace>& races) {
    std::map<std::string, int> byDay;
    for (const auto& [key, race] : races) ++byDay[key.substr(0, 8)];
    return std::max_element(byDay.begin(), byDay.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

// Every file under `root` by its relative path, with its bytes; the error log
// (it holds times) left out.
std::map<std::string, std::string> FilesUnder(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().filename() == "ErrorLog.txt") continue;
        auto bytes = ReadFileBytes(entry.path());
        files[fs::relative(entry.path(), root).generic_string()] =
            bytes ? std::move(*bytes) : "unreadable: " + bytes.error();
    }
    return files;
}

// Generates, downloads (set-up from the store's first file, with the final
// odds) and loads the busiest day; on the first failure it stops and says why.
void Prepare(WholeDay& w) {
    const fs::path store = w.dir.path() / "league";
    const fs::path home = w.dir.path() / "home";
    auto downloaded =
        testing::DownloadLeague(store, home, league::LeagueSize::Small, kSeed,
                                [&w](const LoggedRace& race) { w.races[race.key] = race; });
    if (!downloaded) {
        w.failure = downloaded.error();
        return;
    }
    w.currentYear = downloaded->currentYear;
    w.download = downloaded->download;
    w.fromTime = downloaded->fromTime;

    w.ymd = BusiestDay(w.races);
    const auto dateText = load::DateTextOfYmd(w.ymd);
    std::vector<std::string> tableProblems;
    auto table = load::LoadJockeyRecommendTable(home, tableProblems);
    if (!dateText || !table || !tableProblems.empty()) {
        w.failure = "day " + w.ymd;
        return;
    }
    // A clock far from the day: the load leaves the schedule alone.
    const load::LoadClock clock = load::LoadClockAt({2030, 6, 1, 12, 0, 0});
    auto loaded = load::LoadDay(*w.day, home, *dateText, load::DayLoadSettings{}, *table, clock,
                                SilentProgress());
    if (!loaded) {
        w.failure = "load: " + loaded.error();
        return;
    }
    w.outcome = std::move(*loaded);
}

class WholeDayTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        whole_ = new WholeDay;
        Prepare(*whole_);
    }
    static void TearDownTestSuite() {
        delete whole_;
        whole_ = nullptr;
    }
    void SetUp() override { ASSERT_EQ(whole_->failure, ""); }

    // Calls `check(race index, its logged race)` for every race of the day.
    template <typename Check>
    void ForEachRace(Check check) {
        for (int r : whole_->outcome.raceIndexes) {
            const std::string key(whole_->day->RaceRA(r).Field(head::kRaceKey));
            auto it = whole_->races.find(key);
            ASSERT_NE(it, whole_->races.end()) << "race " << key << " was not run";
            SCOPED_TRACE("race " + key);
            check(r, it->second);
        }
    }

    // The logged runner in `slot` of race `r`, matched by horse number.
    const LoggedRunner& RunnerAt(int r, const LoggedRace& race, int slot) {
        const int number = whole_->day->RunnerSE(r, slot).Int32(se::kHorseNumber);
        for (const auto& runner : race.runners) {
            if (runner.horseNumber == number) return runner;
        }
        ADD_FAILURE() << "slot " << slot << ": no runner with number " << number;
        static const LoggedRunner none;
        return none;
    }

    static WholeDay* whole_;
};

WholeDay* WholeDayTest::whole_ = nullptr;

// The same download through a bridge process (quindle-cli jvlink-bridge,
// named by QUINDLE_CLI) serving the same store leaves the same files.
TEST_F(WholeDayTest, TheDownloadThroughTheBridgeLeavesTheSameFiles) {
    const char* cli = std::getenv("QUINDLE_CLI");
    if (cli == nullptr || *cli == '\0') GTEST_SKIP() << "QUINDLE_CLI names no quindle-cli";
    const fs::path store = whole_->dir.path() / "league";
    const fs::path home = whole_->dir.path() / "bridged";
    auto link = jvlink::bridge::BridgeJvLink::Start(
        {cli, "jvlink-bridge", "--store", store.string(), "--jvsim-predownloaded=1"});
    ASSERT_TRUE(link) << link.error();
    ASSERT_EQ((*link)->JVInit(jvlink::SoftwareIdentifier()), jvlink::code::kOk);
    auto downloaded = testing::DownloadInto(**link, home, whole_->fromTime, whole_->currentYear);
    ASSERT_TRUE(downloaded) << downloaded.error() << " " << (*link)->LostReason();
    EXPECT_EQ(downloaded->records, whole_->download.records);

    const auto direct = FilesUnder(whole_->dir.path() / "home");
    const auto bridged = FilesUnder(home);
    ASSERT_GT(direct.size(), 100u);
    EXPECT_TRUE(direct == bridged)
        << direct.size() << " files direct, " << bridged.size() << " through the bridge";
}

TEST_F(WholeDayTest, EveryRaceAndRunnerOfTheBusiestDayIsLoaded) {
    const WholeDay& w = *whole_;
    EXPECT_EQ(w.download.refused, 0);
    EXPECT_TRUE(w.outcome.problems.empty()) << w.outcome.problems.front();

    const auto races = w.RacesOfDay();
    ASSERT_EQ(static_cast<int>(races.size()), kBusiestDayRaces);
    ASSERT_EQ(w.outcome.raceList.size(), races.size());
    std::set<std::string> logged, loaded;
    int loggedRunners = 0;
    for (const LoggedRace* race : races) {
        logged.insert(race->key);
        loggedRunners += static_cast<int>(race->runners.size());
    }
    int loadedRunners = 0;
    for (int r = 0; r < model::kRaces; ++r) {
        // Three venues fill every race index in RA-file order.
        EXPECT_EQ(w.outcome.raceIndexes[static_cast<size_t>(r)], r);
        loaded.insert(std::string(w.day->RaceRA(r).Field(head::kRaceKey)));
        loadedRunners += analysis::EnteredSlots(w.day->RaceRA(r));
    }
    EXPECT_EQ(loaded, logged);
    EXPECT_EQ(loadedRunners, loggedRunners);
    EXPECT_GT(loggedRunners, kBusiestDayRaces * 8);

    ForEachRace([&](int r, const LoggedRace& race) {
        ASSERT_EQ(analysis::EnteredSlots(w.day->RaceRA(r)), static_cast<int>(race.runners.size()));
        std::set<int> numbers;
        for (int slot = 0; slot < static_cast<int>(race.runners.size()); ++slot) {
            const model::SeImage& runner = w.day->RunnerSE(r, slot);
            const LoggedRunner& expected = RunnerAt(r, race, slot);
            numbers.insert(expected.horseNumber);
            EXPECT_EQ(runner.Field(se::kPedigree), expected.pedigree) << "slot " << slot;
            EXPECT_EQ(runner.Field(se::kJockeyCode), expected.jockeyCode) << "slot " << slot;
            // Every horse keeps its history: the generator's view of the
            // judgement holds whole for this day.
            EXPECT_GT(expected.birthYear, w.currentYear - kHistoryYears) << expected.pedigree;
        }
        EXPECT_EQ(numbers.size(), race.runners.size()) << "each runner in a slot of its own";
    });
}

TEST_F(WholeDayTest, JudgementOfEveryRunnerIsTheOneTheGeneratorMeant) {
    const WholeDay& w = *whole_;
    std::map<Pattern, int> patterns;
    int gets = 0, gives = 0, longScans = 0;
    ForEachRace([&](int r, const LoggedRace& race) {
        const model::TOutData& out = w.day->OutData(r);
        const int today = w.day->RaceRA(r).Int32(head::kRaceDate);
        for (int slot = 0; slot < static_cast<int>(race.runners.size()); ++slot) {
            const LoggedRunner& x = RunnerAt(r, race, slot);
            SCOPED_TRACE("slot " + std::to_string(slot) + " horse " + x.pedigree);
            ++patterns[x.pattern];
            gets += x.get ? 1 : 0;
            gives += x.give ? 1 : 0;
            EXPECT_EQ(out.TenNori[slot], x.pattern == Pattern::TenNori ? 1 : 0);
            EXPECT_EQ(out.RenzokuKijo[slot], x.pattern == Pattern::Renzoku ? 1 : 0);
            EXPECT_EQ(out.NoriModori[slot], x.pattern == Pattern::NoriModori ? 1 : 0);
            EXPECT_EQ(out.GetMark[slot], x.get ? 1 : 0);
            EXPECT_EQ(out.GiveMark[slot], x.give ? 1 : 0);

            // Runs counted: every run before the day, except that a 乗り戻り
            // scan ends at a match beyond the 20th run.
            const int count = out.PastRunCount[slot];
            if (x.pattern == Pattern::None) {
                EXPECT_EQ(x.runsBefore, 0);
                EXPECT_EQ(count, 0);
                EXPECT_TRUE(out.PrevJockeyCode[slot].Empty());
                continue;
            }
            EXPECT_EQ(out.PrevJockeyCode[slot], x.prevJockeyCode);
            if (x.pattern == Pattern::NoriModori) {
                EXPECT_GE(count, std::min(x.runsBefore, model::kPastRuns + 1));
                EXPECT_LE(count, x.runsBefore);
            } else {
                EXPECT_EQ(count, x.runsBefore);
            }
            longScans += count > model::kPastRuns ? 1 : 0;

            // The past-run tables: the newest runs first, each with the race
            // it was run in found in the downloaded files.
            const int kept = std::min(count, model::kPastRuns);
            int newer = today;
            for (int k = 0; k < model::kPastRuns; ++k) {
                const model::SeImage& past = w.day->PastSE(r, slot, k);
                if (k >= kept) {
                    EXPECT_TRUE(past.IsBlank()) << "past run " << k;
                    continue;
                }
                EXPECT_EQ(past.Field(se::kPedigree), x.pedigree) << "past run " << k;
                const int date = past.Int32(head::kRaceDate);
                EXPECT_LT(date, newer) << "past run " << k;
                newer = date;
                const model::RaImage& pastRace = w.day->PastRA(r, slot, k);
                EXPECT_EQ(pastRace.Field(head::kRecordType), "RA") << "past run " << k;
                EXPECT_EQ(pastRace.Field(head::kRaceKey), past.Field(head::kRaceKey));
            }
            EXPECT_EQ(w.day->PastSE(r, slot, 0).Field(se::kJockeyCode), x.prevJockeyCode);
        }
    });
    // The day shows every judgement at least once, and long histories.
    EXPECT_GT(patterns[Pattern::None], 0);
    EXPECT_GT(patterns[Pattern::TenNori], 0);
    EXPECT_GT(patterns[Pattern::Renzoku], 0);
    EXPECT_GT(patterns[Pattern::NoriModori], 0);
    EXPECT_GT(gets, 0);
    EXPECT_GT(gives, 0);
    EXPECT_GT(longScans, 0);
}

// The key text of a paid combination as the payout tables write it.
std::string KeyOf(const league::Payout& p) {
    switch (p.combo.size()) {
        case 1:
            return std::to_string(p.combo[0]);
        case 2:
            return model::PairKeyText(p.combo[0], p.combo[1]);
        case 3:
            return model::TripleKeyText(p.combo[0], p.combo[1], p.combo[2]);
    }
    return "?";
}

std::string KeyOf(const model::NumberPayout& slot) {
    return slot.Key > 0 ? std::to_string(slot.Key) : std::string();
}
template <size_t N>
std::string KeyOf(const model::TextPayout<N>& slot) {
    return slot.Key.Str();
}

// The paid entries in the table's first slots, in the generator's order, and
// nothing in the rest.
template <typename Table>
void ExpectPaid(const Table& table, const std::vector<league::Payout>& paid, const char* bet) {
    SCOPED_TRACE(bet);
    ASSERT_LE(paid.size(), table.size());
    for (size_t k = 0; k < table.size(); ++k) {
        if (k < paid.size()) {
            EXPECT_EQ(KeyOf(table[k]), KeyOf(paid[k])) << "slot " << k;
            EXPECT_EQ(table[k].Payout, paid[k].yen) << "slot " << k;
            EXPECT_EQ(table[k].Popularity, paid[k].popularity) << "slot " << k;
        } else {
            EXPECT_EQ(KeyOf(table[k]), "") << "slot " << k;
            EXPECT_EQ(table[k].Payout, 0) << "slot " << k;
        }
    }
}

TEST_F(WholeDayTest, OddsResultsAndPayoutsAreTheGeneratorsOwn) {
    const WholeDay& w = *whole_;
    int winners = 0;
    ForEachRace([&](int r, const LoggedRace& race) {
        const model::TOutData& out = w.day->OutData(r);
        for (int slot = 0; slot < static_cast<int>(race.runners.size()); ++slot) {
            const LoggedRunner& x = RunnerAt(r, race, slot);
            SCOPED_TRACE("slot " + std::to_string(slot));
            const model::SeImage& runner = w.day->RunnerSE(r, slot);
            EXPECT_EQ(runner.Int32(se::kAbnormality), x.abnormality);
            EXPECT_EQ(runner.Int32(se::kFinish), x.finish);
            winners += x.finish == 1 ? 1 : 0;
            if (x.winPopularity == 0) {
                // No odds: a scratched runner.
                EXPECT_EQ(out.WinOdds[slot], model::kOddsWithdrawn);
                EXPECT_EQ(out.WinPopRank[slot], 0);
                continue;
            }
            EXPECT_EQ(std::lround(out.WinOdds[slot] * 10), x.winOdds);
            EXPECT_EQ(out.WinPopRank[slot], x.winPopularity);
        }
        const model::RacePayouts& p = w.day->Payouts(r);
        const league::Payouts& paid = race.payouts;
        ExpectPaid(p.Win, paid.Of(Bet::Win), "単勝");
        ExpectPaid(p.Place, paid.Of(Bet::Place), "複勝");
        ExpectPaid(p.BracketQuinella, paid.Of(Bet::Bracket), "枠連");
        ExpectPaid(p.Quinella, paid.Of(Bet::Quinella), "馬連");
        ExpectPaid(p.QuinellaPlace, paid.Of(Bet::Wide), "ワイド");
        ExpectPaid(p.Exacta, paid.Of(Bet::Exacta), "馬単");
        ExpectPaid(p.Trio, paid.Of(Bet::Trio), "３連複");
        ExpectPaid(p.Trifecta, paid.Of(Bet::Trifecta), "３連単");
    });
    EXPECT_GE(winners, kBusiestDayRaces);
}

}  // namespace
}  // namespace quindle::jvsim
