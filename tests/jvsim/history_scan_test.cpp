// The history scan judges each run as the day load judged it on its race
// day: three whole days of the small league, downloaded, are loaded and
// scanned, and every runner's pattern, previous jockey, run count, Get/Give
// and class move must agree, runner by runner.

#include "core/load/history_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/bet_stats.h"
#include "core/analysis/riding_pattern.h"
#include "core/load/day_files.h"
#include "core/load/day_loader.h"
#include "core/model/race_day.h"
#include "core/text/fields.h"
#include "jvsim/downloaded_league.h"
#include "jvsim/league/league_fixture.h"

namespace quindle::jvsim {
namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;
namespace se = layout::se;
using analysis::ScannedRunner;

constexpr std::uint64_t kSeed = 7;
constexpr size_t kDays = 3;

// The days with the most races that have results, busiest first.
std::vector<std::string> BusiestFinishedDays(const std::map<std::string, int>& racesByDay) {
    std::vector<std::pair<int, std::string>> days;
    for (const auto& [ymd, races] : racesByDay) days.emplace_back(-races, ymd);
    std::sort(days.begin(), days.end());
    std::vector<std::string> out;
    for (const auto& [races, ymd] : days) out.push_back(ymd);
    return out;
}

TEST(HistoryScanTest, EveryRunnerJudgedAsTheDayLoadJudgedIt) {
    league::testing::ScratchDir dir;
    const fs::path home = dir.path() / "home";
    std::map<std::string, int> finishedRaces;  // by yyyymmdd
    auto downloaded = testing::DownloadLeague(
        dir.path() / "league", home, league::LeagueSize::Small, kSeed,
        [&](const league::LoggedRace& race) { ++finishedRaces[race.key.substr(0, 8)]; });
    ASSERT_TRUE(downloaded) << downloaded.error();

    const analysis::JockeyRecommendTable noTable;
    const load::LoadClock clock = load::LoadClockAt({2030, 6, 1, 12, 0, 0});
    size_t checkedDays = 0;
    int judgedRunners = 0;
    int patterns = 0;
    int moves = 0;
    int classMoves = 0;
    for (const std::string& ymd : BusiestFinishedDays(finishedRaces)) {
        // The days after the first have runners with a history.
        if (checkedDays == kDays) break;
        SCOPED_TRACE("day " + ymd);
        auto day = std::make_unique<model::RaceDay>();
        auto loaded = load::LoadDay(*day, home, *load::DateTextOfYmd(ymd), {}, noTable, clock,
                                    SilentProgress());
        ASSERT_TRUE(loaded) << loaded.error();
        const int date = text::ReadInt32(ymd);
        auto scan = load::ScanHistory(home, date, date, SilentProgress());
        ASSERT_TRUE(scan) << scan.error();
        EXPECT_TRUE(scan->problems.empty());

        std::map<std::pair<std::string, int>, const ScannedRunner*> scanned;
        for (const ScannedRunner& r : scan->runners) {
            EXPECT_EQ(r.date, date);
            scanned[{r.raceKey.Str(), r.horseNumber}] = &r;
        }
        size_t found = 0;
        for (int race : loaded->raceIndexes) {
            const model::TOutData& out = day->OutData(race);
            const int entered = analysis::EnteredSlots(day->RaceRA(race));
            for (int slot = 0; slot < entered; ++slot) {
                const model::SeImage& runner = day->RunnerSE(race, slot);
                const auto it = scanned.find({std::string(runner.Field(layout::head::kRaceKey)),
                                              runner.Int32(se::kHorseNumber)});
                SCOPED_TRACE("race " + std::string(runner.Field(layout::head::kRaceKey)) +
                             " horse " + std::to_string(runner.Int32(se::kHorseNumber)));
                if (it == scanned.end()) {
                    // Only a horse without a history has no run to scan.
                    EXPECT_EQ(out.PastRunCount[slot], 0);
                    continue;
                }
                ++found;
                const ScannedRunner& r = *it->second;
                EXPECT_EQ(analysis::PatternTextOf(r.pattern), analysis::PatternText(out, slot));
                EXPECT_EQ(r.prevJockeyCode.View(), out.PrevJockeyCode[slot].View());
                EXPECT_EQ(r.prevJockeyShort.View(), out.PrevJockeyName[slot].View());
                EXPECT_EQ(r.pastRunCount, out.PastRunCount[slot]);
                EXPECT_EQ(r.get, out.GetMark[slot] == 1);
                EXPECT_EQ(r.give, out.GiveMark[slot] == 1);
                EXPECT_EQ(r.classMove, out.ClassMove[slot]);
                EXPECT_EQ(r.finish, runner.Int32(se::kFinish));
                EXPECT_EQ(r.popularity, runner.Int32(se::kWinPopularity));
                ++judgedRunners;
                patterns += r.pattern != analysis::RidingPattern::kNone;
                moves += r.get || r.give;
                classMoves += r.classMove != 0;
            }
        }
        EXPECT_EQ(found, scan->runners.size()) << "the scan holds runners the day does not";
        ++checkedDays;
    }
    EXPECT_EQ(checkedDays, kDays);
    // The days are not trivial: they hold every kind of judgement.
    EXPECT_GT(judgedRunners, 300);
    EXPECT_GT(patterns, 100);
    EXPECT_GT(moves, 10);
    EXPECT_GT(classMoves, 100);
}

}  // namespace
}  // namespace quindle::jvsim
