// quindle-cli days: the race days of the program folder, newest first.

#include <iostream>

#include "command.h"
#include "day_options.h"

namespace quindle::cli {
namespace {

int RunDays(const Args& args) {
    auto options = ParseDayOptions(args);
    if (!options) return Fail(options.error());
    if (options->day || options->race || !options->rest.empty()) {
        return Fail("days takes only --home DIR");
    }
    auto session = OpenSession(options->home);
    if (!session) return Fail(session.error());
    for (const auto& day : session->RaceDays()) std::cout << day << "\n";
    return 0;
}

const CommandRegistration kRegistration({
    "days",
    "[--home DIR]",
    "list the race days of the program folder, newest first",
    RunDays,
});

}  // namespace
}  // namespace quindle::cli
