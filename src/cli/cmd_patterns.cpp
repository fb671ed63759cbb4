// quindle-cli patterns: runners, wins, places, hit and return rates of the
// runner results of a period, by riding pattern or another grouping.

#include <iostream>

#include "command.h"
#include "core/analysis/bet_stats.h"
#include "scan_report.h"

namespace quindle::cli {
namespace {

using analysis::GroupBy;

int RunPatterns(const Args& args) {
    GroupBy by = GroupBy::kPattern;
    const ValueOption extra[] = {
        {"by",
         [&by](const std::string& value) -> Status {
             const std::pair<const char*, GroupBy> groupings[] = {
                 {"pattern", GroupBy::kPattern},      {"jockey", GroupBy::kJockey},
                 {"venue", GroupBy::kVenue},          {"popularity", GroupBy::kPopularity},
                 {"class-move", GroupBy::kClassMove}, {"getgive", GroupBy::kGetGive}};
             for (const auto& [name, grouping] : groupings) {
                 if (value == name) {
                     by = grouping;
                     return Status::Ok();
                 }
             }
             return Error{
                 "--by is pattern, jockey, venue, popularity, class-move or getgive, not '" +
                 value + "'"};
         }},
    };
    auto options = ParseScanOptions(args, extra);
    if (!options) return Fail(options.error());
    auto scan = RunScan(*options);
    if (!scan) return Fail(scan.error());
    PrintRateTable(PatternTable(analysis::TallyBy(scan->runners, by)), options->format);
    return 0;
}

const CommandRegistration kRegistration({
    "patterns",
    "[--home DIR] --from DATE --to DATE [--by pattern|jockey|venue|popularity|class-move|getgive] "
    "[--format text|tsv|json]",
    "hit and return rates of the period's runners by riding pattern (95% intervals)",
    RunPatterns,
});

}  // namespace
}  // namespace quindle::cli
