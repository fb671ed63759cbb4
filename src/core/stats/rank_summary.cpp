#include "core/stats/rank_summary.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "core/text/cp932.h"
#include "core/text/fields.h"

namespace quindle::stats {
namespace {

constexpr int kFirstRankColumns[3] = {9, 11, 13};
constexpr int kSecondRankColumns[3] = {10, 12, 14};
constexpr int kWinPayoutColumn = 15;
constexpr int kQuinellaPayoutColumn = 25;
constexpr int kTrioPayoutColumn = 35;
// An unranked horse of the second ranking counts at this position.
constexpr long long kUnrankedPosition = 7;

constexpr const char* kRowCaptions[kBlockRows] = {"出現数",   "単勝率",   "出現数",
                                                  "連対率",   "出現数",   "複勝率",
                                                  "単勝配当", "馬連配当", "3連複配当"};

// Counters of one ranking, indexed by rank position 1 to 18 (0 unused).
struct RankCounts {
    std::array<long long, kRankPositions + 1> win{};
    std::array<long long, kRankPositions + 1> topTwo{};
    std::array<long long, kRankPositions + 1> topThree{};
    std::array<long long, kRankPositions + 1> winSum{};
    std::array<long long, kRankPositions + 1> quinellaSum{};
    std::array<long long, kRankPositions + 1> trioSum{};
};

long long Cell(const StatsRow& row, int column) {
    return column < static_cast<int>(row.size()) ? StatsCellInt(row[static_cast<size_t>(column)])
                                                 : 0;
}

bool Counts(const StatsRow& row) {
    for (const int column : kFirstRankColumns) {
        if (Cell(row, column) <= 0) return false;
    }
    return Cell(row, kWinPayoutColumn) > 0;
}

std::string RankError(int row, int column, long long rank) {
    return "統計データの" + std::to_string(row + 1) + "行目、" + std::to_string(column + 1) +
           "項目目の順位 " + std::to_string(rank) + " が 1～18 の範囲にありません。";
}

// Adds the counted races of `data` for the ranks in `columns`; an error names
// the first rank out of range.
std::optional<std::string> Count(const StatsGrid& data, const int (&columns)[3],
                                 bool unrankedAsSeven, RankCounts& counts) {
    for (std::size_t r = 1; r < data.size(); ++r) {
        const StatsRow& row = data[r];
        if (!Counts(row)) continue;
        std::array<std::size_t, 3> rank{};
        for (int i = 0; i < 3; ++i) {
            long long value = Cell(row, columns[i]);
            if (unrankedAsSeven && value == 0) value = kUnrankedPosition;
            if (value < 1 || value > kRankPositions) {
                return RankError(static_cast<int>(r), columns[i], value);
            }
            rank[static_cast<std::size_t>(i)] = static_cast<std::size_t>(value);
        }
        const auto [a, b, c] = rank;
        counts.win[a] += 1;
        counts.topTwo[a] += 1;
        counts.topTwo[b] += 1;
        counts.topThree[a] += 1;
        counts.topThree[b] += 1;
        counts.topThree[c] += 1;
        counts.winSum[a] += Cell(row, kWinPayoutColumn);
        counts.quinellaSum[a] += Cell(row, kQuinellaPayoutColumn);
        counts.trioSum[a] += Cell(row, kTrioPayoutColumn);
    }
    return std::nullopt;
}

// An average payout in whole yen, halves rounded away from zero.
std::string Average(long long sum, long long races) {
    return text::Format("%7.0f", std::round(static_cast<double>(sum) / static_cast<double>(races)));
}

std::string Rate(long long count, int races) {
    return text::Format("%7.2f", static_cast<double>(count) / races * 100.0);
}

void WriteBlock(SummaryGrid& grid, int top, const RankCounts& counts, int races) {
    for (std::size_t k = 1; k <= kRankPositions; ++k) {
        const auto cell = [&](int offset) -> std::string& {
            return grid[static_cast<std::size_t>(top + offset)][k];
        };
        cell(0) = text::Format("%7lld", counts.win[k]);
        cell(1) = Rate(counts.win[k], races);
        cell(2) = text::Format("%7lld", counts.topTwo[k]);
        cell(3) = Rate(counts.topTwo[k], races);
        cell(4) = text::Format("%7lld", counts.topThree[k]);
        cell(5) = Rate(counts.topThree[k], races);
        if (counts.win[k] > 0) {
            cell(6) = Average(counts.winSum[k], counts.win[k]);
            cell(7) = Average(counts.quinellaSum[k], counts.win[k]);
            cell(8) = Average(counts.trioSum[k], counts.win[k]);
        }
    }
}

}  // namespace

long long StatsCellInt(std::string_view cell) {
    cell = text::TrimBlanks(cell);
    if (!cell.empty() && cell.front() == '+') cell.remove_prefix(1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (ec != std::errc() || end != cell.data() + cell.size() || cell.empty()) return 0;
    return value;
}

SummaryGrid SummaryCaptions() {
    SummaryGrid grid;
    for (std::size_t k = 1; k <= kRankPositions; ++k) {
        grid[0][k] = text::Format("%2d", static_cast<int>(k)) + text::Sj("位");
    }
    for (const int top : {kFirstRankingRow, kSecondRankingRow}) {
        for (std::size_t i = 0; i < std::size(kRowCaptions); ++i) {
            grid[static_cast<std::size_t>(top) + i][0] = text::Sj(kRowCaptions[i]);
        }
    }
    return grid;
}

Result<RankSummary> ComputeRankSummary(const StatsGrid& data) {
    RankCounts first;
    RankCounts second;
    if (auto error = Count(data, kFirstRankColumns, /*unrankedAsSeven=*/false, first)) {
        return Error{*error};
    }
    if (auto error = Count(data, kSecondRankColumns, /*unrankedAsSeven=*/true, second)) {
        return Error{*error};
    }
    long long races = 0;
    for (std::size_t k = 1; k <= kRankPositions; ++k) races += first.win[k];
    if (races == 0) {
        return Error{
            "集計できるレースがありません（1～3着の順位と単勝配当がそろったレースがありません）。"};
    }
    RankSummary summary{SummaryCaptions(), static_cast<int>(races)};
    WriteBlock(summary.grid, kFirstRankingRow, first, summary.countedRaces);
    WriteBlock(summary.grid, kSecondRankingRow, second, summary.countedRaces);
    return summary;
}

}  // namespace quindle::stats
