#pragma once
// What the history commands (patterns, backtest, learn-table) share: the
// options --home, --from and --to, the scan of that period with progress on
// stderr, and printing a table of rates as text, tsv or json.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "command.h"
#include "core/analysis/bet_stats.h"
#include "core/load/history_scan.h"
#include "core/util/command_options.h"
#include "core/util/result.h"

namespace quindle::cli {

enum class ReportFormat { Text, Tsv, Json };

struct ScanOptions {
    std::filesystem::path home;
    int from = 0;  // yyyymmdd
    int to = 0;
    ReportFormat format = ReportFormat::Text;
};

// Takes --home, --from, --to and --format, and the command's own `extra`
// options, out of `args`; --from and --to are needed, any other argument is
// an error. A date is "20250105", "2025-01-05", "2025/01/05" or "2025年01月05日".
Result<ScanOptions> ParseScanOptions(const Args& args, std::span<const ValueOption> extra = {});

// The date yyyymmdd of a --from or --to value.
Result<int> ParsePeriodDate(const std::string& value);

// Opens the program folder and scans the period; the files the scan worked
// around are reported on stderr.
Result<load::HistoryScan> RunScan(const ScanOptions& options,
                                  std::filesystem::path* programFolder = nullptr,
                                  load::TrioOdds trioOdds = load::TrioOdds::kSkip);

// A table of rates: a first column `group`, then number columns.
struct RateTable {
    std::vector<std::string> columns;  // after "group"
    struct Row {
        std::string group;               // UTF-8
        std::vector<std::string> cells;  // numbers as text
    };
    std::vector<Row> rows;
};

// Columns runners, wins, places, win_hit, place_hit, win_return,
// place_return, their interval bounds (…_low, …_high) and the tickets the
// returns are over (win_tickets, place_tickets).
RateTable PatternTable(std::span<const analysis::GroupTally> groups);

void PrintRateTable(const RateTable& table, ReportFormat format);

}  // namespace quindle::cli
