// quindle-cli backtest: the ◎/☆ marks a recommendation table sets on the
// runners of a period, and what win and place tickets on them returned,
// overall, by mark and by month, beside the unmarked runners.

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "command.h"
#include "core/analysis/jockey_recommend_table.h"
#include "core/analysis/mark_backtest.h"
#include "core/load/jockey_table_file.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"
#include "scan_report.h"

namespace quindle::cli {
namespace {

namespace fs = std::filesystem;
using analysis::RateEstimate;

void AddRate(std::vector<std::string>& cells, const RateEstimate& r) {
    cells.push_back(text::Format("%.1f", r.value));
}

RateTable BacktestTable(const std::vector<analysis::BacktestRow>& rows) {
    RateTable table;
    table.columns = {"win_bets",      "wins",           "win_hit",          "win_return",
                     "place_bets",    "places",         "place_hit",        "place_return",
                     "win_hit_low",   "win_hit_high",   "win_return_low",   "win_return_high",
                     "place_hit_low", "place_hit_high", "place_return_low", "place_return_high"};
    for (const analysis::BacktestRow& b : rows) {
        RateTable::Row row{b.group, {}};
        auto& c = row.cells;
        c.push_back(std::to_string(b.win.runners));
        c.push_back(std::to_string(b.win.win.hits));
        AddRate(c, b.win.WinHit());
        AddRate(c, b.win.win.Return());
        c.push_back(std::to_string(b.place.runners));
        c.push_back(std::to_string(b.place.place.hits));
        AddRate(c, b.place.PlaceHit());
        AddRate(c, b.place.place.Return());
        for (const RateEstimate& r :
             {b.win.WinHit(), b.win.win.Return(), b.place.PlaceHit(), b.place.place.Return()}) {
            c.push_back(text::Format("%.1f", r.low));
            c.push_back(text::Format("%.1f", r.high));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

Result<analysis::JockeyRecommendTable> TableOf(const fs::path& file,
                                               const fs::path& programFolder) {
    std::vector<std::string> problems;
    // The program folder's table was named by the session's start already.
    if (file.empty()) return load::LoadJockeyRecommendTable(programFolder, problems);
    auto bytes = ReadFileBytes(file);
    if (!bytes) return Error{"--table: " + bytes.error()};
    auto table = load::JockeyTableFromBytes(*bytes, file, problems);
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "quindle-cli: warning: %s\n", problem.c_str());
    }
    return table;
}

int RunBacktest(const Args& args) {
    fs::path tableFile;
    const ValueOption extra[] = {StoreOption("table", tableFile)};
    auto options = ParseScanOptions(args, extra);
    if (!options) return Fail(options.error());
    fs::path programFolder;
    auto scan = RunScan(*options, &programFolder, load::TrioOdds::kRead);
    if (!scan) return Fail(scan.error());
    auto table = TableOf(tableFile, programFolder);
    if (!table) return Fail(table.error());
    if (table->size() <= 1) {
        std::cerr << "quindle-cli: the recommendation table has no rows: no runner is marked\n";
    }
    const auto marks = analysis::MarkRunners(scan->runners, *table);
    PrintRateTable(BacktestTable(analysis::Backtest(scan->runners, marks)), options->format);
    return 0;
}

const CommandRegistration kRegistration({
    "backtest",
    "[--home DIR] --from DATE --to DATE [--table FILE] [--format text|tsv|json]",
    "hit and return rates of the ◎/☆ marks over a period (default table: jockdata.kcsv)",
    RunBacktest,
});

}  // namespace
}  // namespace quindle::cli
