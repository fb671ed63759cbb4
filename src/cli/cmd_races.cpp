// quindle-cli races: the race list of a day, one line per race; races
// withheld for a damaged record follow, marked "(破損)".

#include <iostream>

#include "command.h"
#include "day_options.h"

namespace quindle::cli {
namespace {

int RunRaces(const Args& args) {
    auto loaded = OpenDay(args);
    if (!loaded) return Fail(loaded.error());
    for (const auto& line : loaded->outcome.raceList) std::cout << line << "\n";
    for (const auto& w : loaded->outcome.withheld) std::cout << w.Label() << " (破損)\n";
    return 0;
}

const CommandRegistration kRegistration({
    "races",
    "[--home DIR] --day DATE [--strict]",
    "list the races of a day (DATE 2025年01月05日 or 20250105)",
    RunRaces,
});

}  // namespace
}  // namespace quindle::cli
