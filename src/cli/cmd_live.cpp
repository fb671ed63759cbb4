// quindle-cli live: a race day's schedule without a window. The automatic
// odds queue and the results and mining refresh run on the program clock
// (the computer's, or a simulated one with --clock and --clock-speed); one
// line per retrieval goes to stdout, the status lines to stderr, and a
// summary with the figures of the run at the end. Non-zero when the run
// could not start or a retrieval failed.

#include <chrono>
#include <cstdio>
#include <iostream>

#include "app/live_day.h"
#include "command.h"
#include "core/text/fields.h"
#include "day_options.h"

namespace quindle::cli {
namespace {

class LiveLines : public app::LiveObserver {
  public:
    void Retrieved(const app::LiveRetrieval& r) override {
        std::cout << FormatTime(r.at) << " " << text::Format("%-7s", r.what.c_str()) << " "
                  << r.key;
        if (!r.race.empty()) std::cout << " " << r.race;
        std::cout << ": " << (r.failed ? "FAILED " : "") << r.outcome << std::endl;
    }
    void Status(std::string_view text) override { std::cerr << text << "\n"; }
};

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

int RunLive(const Args& given) {
    Args args = given;
    auto jvLink = app::TakeJvLinkOptions(args);
    if (!jvLink) return Fail(jvLink.error());
    app::LiveOptions live;
    std::string until;
    const ValueOption values[] = {StoreOption("until", until)};
    auto rest = TakeOptions(args, values);
    if (!rest) return Fail(rest.error());
    if (!until.empty()) {
        auto parsed = app::ParseUntil(until);
        if (!parsed) return Fail(parsed.error());
        live.until = *parsed;
    }
    auto options = ParseDayOptions(*rest);
    if (!options) return Fail(options.error());
    if (!options->day) return Fail("live needs --day DATE");
    if (options->race) return Fail("live runs every race of the day: it takes no --race");
    if (!options->rest.empty()) return Fail("unknown argument '" + options->rest.front() + "'");
    live.day = *options->day;

    auto session = OpenSession(options->home, std::move(*jvLink));
    if (!session) return Fail(session.error());
    LiveLines lines;
    auto summary = app::RunLiveDay(*session, live, lines);
    if (!summary) return Fail(summary.error());
    const double wall = Seconds(summary->wall);
    const double inside = Seconds(summary->insideJvLink);
    std::printf(
        "live %s: %d retrievals, %d failed, %lld records; %.3f s wall, %.3f s inside "
        "JV-Link (%.1f times)\n",
        summary->dateText.c_str(), summary->retrievals, summary->failures,
        static_cast<long long>(summary->records), wall, inside, inside > 0 ? wall / inside : 0.0);
    return summary->failures > 0 ? 1 : 0;
}

const CommandRegistration kRegistration({
    "live",
    "--home DIR [--store DIR] --day DATE [--clock \"yyyy/mm/dd hh:nn:ss\"] [--until hh:nn] "
    "[--clock-speed N|max] [--jvsim-NAME VALUE ...]",
    "run the day's automatic odds queue and results/mining refresh without a window, one line "
    "per retrieval (until 18:01 unless --until)",
    RunLive,
});

}  // namespace
}  // namespace quindle::cli
