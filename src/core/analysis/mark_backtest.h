#pragma once
// The ◎/☆ marks as the recommendation table sets them on scanned runners,
// what betting on them returned (overall, by mark, by month, beside the
// unmarked runners), and a table learned from what paid.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/bet_stats.h"
#include "core/analysis/jockey_recommend_table.h"
#include "core/analysis/scanned_runner.h"

namespace quindle::analysis {

// Win and place marks of every runner (model::kMarkNone, kMarkRecommend,
// kMarkUpgraded), looked up as the odds import does, with the runner's
// popularity at the close as its popularity rank.
struct RunnerMarks {
    int win = 0;
    int place = 0;
};
std::vector<RunnerMarks> MarkRunners(std::span<const ScannedRunner> runners,
                                     const JockeyRecommendTable& table);

// One line of the backtest: win tickets on the runners its win mark selects,
// place tickets on those its place mark selects.
struct BacktestRow {
    std::string group;  // UTF-8: "◎☆", "◎", "☆", "印なし", or a month "2025-01"
    BetTally win;       // only its win side counts
    BetTally place;     // only its place side counts
};

// Rows "◎☆" (every mark), "◎", "☆", "印なし", then one "yyyy-mm" row per
// month of the marked tickets.
std::vector<BacktestRow> Backtest(std::span<const ScannedRunner> runners,
                                  std::span<const RunnerMarks> marks);

// The cumulative return of the win tickets on marked and on unmarked
// runners, at the end of each race day.
struct CumulativePoint {
    int date = 0;  // yyyymmdd
    double markedStake = 0.0, markedPaid = 0.0;
    double unmarkedStake = 0.0, unmarkedPaid = 0.0;
};
std::vector<CumulativePoint> CumulativeReturn(std::span<const ScannedRunner> runners,
                                              std::span<const RunnerMarks> marks);

// A recommendation table learned from the runners: one row per jockey ×
// popularity letter × pattern whose win or place return (percent) reached
// `minReturn` over at least `minRides` tickets, with "◎" in the mark that
// did. CP932 text with CR LF line ends, in the table file's form: a heading
// that sorts first, then the rows in the order the table holds them.
struct LearnOptions {
    int minRides = 20;
    double minReturn = 100.0;
};
std::string LearnTable(std::span<const ScannedRunner> runners, const LearnOptions& options);

}  // namespace quindle::analysis
