// quindle-cli result: the payouts of one race, one line per paid slot:
// bet type, key, popularity, payout in yen.

#include <iostream>

#include "command.h"
#include "core/model/payout_display.h"
#include "day_options.h"

namespace quindle::cli {
namespace {

int RunResult(const Args& args) {
    auto loaded = OpenDay(args, /*needRace=*/true);
    if (!loaded) return Fail(loaded.error());
    for (const auto& slot : model::PayoutSlotTexts(loaded->day->Payouts(loaded->race))) {
        if (!slot.filled) continue;
        std::cout << model::BetTypeName(slot.type) << " " << slot.key << " " << slot.popularity
                  << " " << slot.payout << "\n";
    }
    return 0;
}

const CommandRegistration kRegistration({
    "result",
    "[--home DIR] --day DATE --race RACE [--strict]",
    "print the payouts of a race (RACE a race index from 0 or a list text such as 中山11R)",
    RunResult,
});

}  // namespace
}  // namespace quindle::cli
