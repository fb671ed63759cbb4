#pragma once
// A race day's schedule without a window: the automatic odds queue every
// 40 seconds and the results and mining refresh every "AutoRdataGet"
// minutes, on the program's clock, each retrieval followed by the imports
// the window runs after it. An always-on machine runs the day this way; with
// a simulated clock it replays a day, at "max" as fast as the work allows.
//
// The timers start as the window's do once the day is loaded and the
// automatic odds switch is on: their first ticks come one interval after the
// start, and a tick that work made late is not run twice.

#include <chrono>
#include <cstdint>
#include <string>

#include "app/session.h"
#include "core/util/local_time.h"
#include "core/util/result.h"

namespace quindle::app {

struct LiveOptions {
    std::string day;             // as Session::ResolveDay takes it
    std::string until = "1801";  // "hhnn" on the race day: the run stops there
};

// One retrieval, as it is reported.
struct LiveRetrieval {
    LocalDateTime at;     // the clock at the tick that started it
    std::string what;     // "odds", "results" or "mining"
    std::string key;      // race key (odds) or day yyyymmdd
    std::string race;     // race-list text of an odds retrieval ("中山 1R"), else empty
    std::string outcome;  // "12 records" or the error text (UTF-8)
    bool failed = false;
};

class LiveObserver {
  public:
    virtual ~LiveObserver() = default;
    virtual void Retrieved(const LiveRetrieval& retrieval) = 0;
    // The retrieval's status lines while it works (UTF-8).
    virtual void Status(std::string_view /*text*/) {}
};

struct LiveSummary {
    std::string dateText;
    int retrievals = 0;
    int failures = 0;
    std::int64_t records = 0;
    std::chrono::steady_clock::duration wall{};
    std::chrono::steady_clock::duration insideJvLink{};
};

// "hh:nn" as "hhnn"; an error unless it is a time of day.
Result<std::string> ParseUntil(std::string_view text);

// Loads the day and runs its schedule until `options.until`. Refused, with
// the window's message, when the automatic odds switch would be refused for
// the day at the clock's moment; an error when the clock already stands at
// or after `until`, or when there is no JV-Link.
Result<LiveSummary> RunLiveDay(Session& session, const LiveOptions& options,
                               LiveObserver& observer);

}  // namespace quindle::app
