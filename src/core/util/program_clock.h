#pragma once
// The one clock of the program. Everything that asks for the time (the
// window's clock and timers, the schedule, the day load, the error log, the
// JV-Link substitute's "now") asks the same clock, so a simulated clock,
// started at a chosen moment and running at a chosen speed, replays a whole
// race day as it would go on a real one.
//
// At the speed "max" simulated time stands still while work is done and
// jumps, when the program waits, straight to the moment it waits for: the
// next thing due.

#include <chrono>
#include <memory>
#include <mutex>
#include <string_view>

#include "core/util/local_time.h"
#include "core/util/result.h"

namespace quindle {

struct ClockSpeed {
    double factor = 1.0;  // simulated seconds per real second
    bool max = false;     // as fast as the work allows
};

// "N" (a number above 0, such as "60" or "0.5") or "max".
Result<ClockSpeed> ParseClockSpeed(std::string_view text);

class ProgramClock {
  public:
    virtual ~ProgramClock() = default;

    virtual LocalDateTime Now() const = 0;
    // Lets time run on to `moment`: waits for it, or at "max" jumps there.
    // Returns at once for a moment already past.
    virtual void WaitUntil(const LocalDateTime& moment) = 0;
    // The real time a timer of `simulated` interval waits: the interval
    // itself on the real clock, shorter at a higher speed, 0 at "max".
    virtual std::chrono::milliseconds RealInterval(std::chrono::milliseconds simulated) const = 0;
    // False for the computer's own clock.
    virtual bool Simulated() const = 0;
};

// The computer's clock, read through `now` (tests pass a fixed one).
class SystemClock final : public ProgramClock {
  public:
    explicit SystemClock(LocalClock now = CurrentLocalDateTime);
    LocalDateTime Now() const override;
    void WaitUntil(const LocalDateTime& moment) override;
    std::chrono::milliseconds RealInterval(std::chrono::milliseconds simulated) const override;
    bool Simulated() const override { return false; }

  private:
    LocalClock now_;
};

// A clock that starts at `start` when made and runs at `speed`.
class SimulatedClock final : public ProgramClock {
  public:
    SimulatedClock(const LocalDateTime& start, ClockSpeed speed);
    LocalDateTime Now() const override;
    void WaitUntil(const LocalDateTime& moment) override;
    std::chrono::milliseconds RealInterval(std::chrono::milliseconds simulated) const override;
    bool Simulated() const override { return true; }

  private:
    // Simulated seconds since 1970 (CalendarSeconds) at this moment.
    double SecondsNow() const;

    ClockSpeed speed_;
    mutable std::mutex mutex_;
    double startSeconds_;  // at startReal_ (or for "max", the whole time)
    std::chrono::steady_clock::time_point startReal_;
};

// The clock as the function the rest of the program reads the time through.
LocalClock ClockFunction(std::shared_ptr<const ProgramClock> clock);

}  // namespace quindle
