#pragma once
// The summary ("計算") of a statistics data grid: for each rank position 1 to
// 18 of two rankings, how often the horse of that rank won, finished in the
// first two and in the first three, the rates over the counted races, and the
// average 単勝, 馬連 and 3連複 payouts of the races it won.
//
// Data columns read (0-based): ranks in the first ranking of the first three
// finishers 9, 11, 13; their ranks in the second ranking 10, 12, 14 (0:
// unranked, counted as rank 7); payouts 15 (単勝), 25 (馬連), 35 (3連複). A
// race counts when the three first-ranking ranks and the 単勝 payout are all
// above 0; the same races count for both rankings.

#include <array>
#include <string>

#include "core/stats/stats_file.h"
#include "core/util/result.h"

namespace quindle::stats {

inline constexpr int kSummaryColumns = 19;  // captions, then ranks 1 to 18
inline constexpr int kSummaryRows = 30;     // rank headings, 2 × 9 rows, blanks
inline constexpr int kRankPositions = 18;

// Rows of the first ranking's block; the second's are 10 further down.
inline constexpr int kFirstRankingRow = 1;
inline constexpr int kSecondRankingRow = 11;
inline constexpr int kBlockRows = 9;

// Summary cells (CP932), [row][column].
using SummaryGrid = std::array<std::array<std::string, kSummaryColumns>, kSummaryRows>;

// The summary grid with its captions only: "%2d位" over columns 1 to 18 of
// row 0, the nine row captions in column 0 of each ranking's block.
SummaryGrid SummaryCaptions();

struct RankSummary {
    SummaryGrid grid;
    int countedRaces = 0;
};

// The summary of `data` (row 0, the header, is not read). A rank outside 1 to
// 18 in a counted race, or no counted race at all, is an error naming the
// cause; nothing is summed then.
Result<RankSummary> ComputeRankSummary(const StatsGrid& data);

// The whole-number reading of a data cell: optional blanks, an optional sign
// and digits; a blank or malformed cell reads 0.
long long StatsCellInt(std::string_view cell);

}  // namespace quindle::stats
