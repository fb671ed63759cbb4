// quindle-cli learn-table: a recommendation table learned from a period of
// runner results, in the table file's own form, for a backtest of the next
// period or for the program folder's jockdata.kcsv.

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>

#include "command.h"
#include "core/analysis/mark_backtest.h"
#include "core/util/file_io.h"
#include "scan_report.h"

namespace quindle::cli {
namespace {

namespace fs = std::filesystem;

template <typename Number>
Status TakeNumber(const std::string& value, const char* name, Number low, Number& target) {
    Number n{};
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < low) {
        return Error{std::string("--") + name + " takes a number, not '" + value + "'"};
    }
    target = n;
    return Status::Ok();
}

int RunLearnTable(const Args& args) {
    analysis::LearnOptions learn;
    fs::path out;
    const ValueOption extra[] = {
        {"min-rides",
         [&learn](const std::string& v) { return TakeNumber(v, "min-rides", 1, learn.minRides); }},
        {"min-return",
         [&learn](const std::string& v) {
             return TakeNumber(v, "min-return", 0.0, learn.minReturn);
         }},
        StoreOption("out", out),
    };
    auto options = ParseScanOptions(args, extra);
    if (!options) return Fail(options.error());
    if (out.empty()) return Fail("--out FILE is needed");
    auto scan = RunScan(*options);
    if (!scan) return Fail(scan.error());
    const std::string table = analysis::LearnTable(scan->runners, learn);
    if (Status s = ReplaceFileAtomically(out, table); !s) return Fail(s.error());
    const auto rows = std::count(table.begin(), table.end(), '\n') - 1;
    std::cerr << "quindle-cli: " << rows << " rows written to " << out.string() << "\n";
    return 0;
}

const CommandRegistration kRegistration({
    "learn-table",
    "[--home DIR] --from DATE --to DATE [--min-rides N] [--min-return PCT] --out FILE",
    "learn a recommendation table (jockey × popularity × pattern that paid) from a period",
    RunLearnTable,
});

}  // namespace
}  // namespace quindle::cli
