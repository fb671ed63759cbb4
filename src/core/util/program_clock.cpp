#include "core/util/program_clock.h"

#include <charconv>
#include <cmath>
#include <string>
#include <thread>

namespace quindle {
namespace {

// The seconds from `now` to `moment`; 0 when it is past or either is no
// real date and time.
double SecondsUntil(const LocalDateTime& now, const LocalDateTime& moment) {
    const auto from = CalendarSeconds(now);
    const auto to = CalendarSeconds(moment);
    if (!from || !to || *to <= *from) return 0;
    return static_cast<double>(*to - *from);
}

}  // namespace

Result<ClockSpeed> ParseClockSpeed(std::string_view text) {
    if (text == "max") return ClockSpeed{1.0, true};
    double factor = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), factor);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(factor) ||
        factor <= 0) {
        return Error{"--clock-speed wants a number above 0 or max, not '" + std::string(text) +
                     "'"};
    }
    return ClockSpeed{factor, false};
}

SystemClock::SystemClock(LocalClock now) : now_(std::move(now)) {}

LocalDateTime SystemClock::Now() const {
    return now_();
}

void SystemClock::WaitUntil(const LocalDateTime& moment) {
    // Whole seconds: the clock reads no finer. A clock that does not move (a
    // fixed one in a test) is waited for once only.
    LocalDateTime before = Now();
    for (double left = SecondsUntil(before, moment); left > 0;) {
        std::this_thread::sleep_for(std::chrono::duration<double>(left));
        const LocalDateTime after = Now();
        if (CalendarSeconds(after) == CalendarSeconds(before)) return;
        before = after;
        left = SecondsUntil(after, moment);
    }
}

std::chrono::milliseconds SystemClock::RealInterval(std::chrono::milliseconds simulated) const {
    return simulated;
}

SimulatedClock::SimulatedClock(const LocalDateTime& start, ClockSpeed speed)
    : speed_(speed),
      startSeconds_(static_cast<double>(CalendarSeconds(start).value_or(0))),
      startReal_(std::chrono::steady_clock::now()) {}

double SimulatedClock::SecondsNow() const {
    if (speed_.max) return startSeconds_;
    const std::chrono::duration<double> real = std::chrono::steady_clock::now() - startReal_;
    return startSeconds_ + real.count() * speed_.factor;
}

LocalDateTime SimulatedClock::Now() const {
    std::lock_guard lock(mutex_);
    return FromCalendarSeconds(static_cast<std::int64_t>(std::floor(SecondsNow())));
}

void SimulatedClock::WaitUntil(const LocalDateTime& moment) {
    const auto target = CalendarSeconds(moment);
    if (!target) return;
    // Until the clock reads the moment itself, not a rounding short of it: a
    // tick due at hh:nn:00 must not be taken for the minute before.
    for (;;) {
        std::unique_lock lock(mutex_);
        const double left = static_cast<double>(*target) - SecondsNow();
        if (left <= 0) return;
        if (speed_.max) {
            startSeconds_ = static_cast<double>(*target);
            return;
        }
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::duration<double>(left / speed_.factor));
    }
}

std::chrono::milliseconds SimulatedClock::RealInterval(std::chrono::milliseconds simulated) const {
    if (speed_.max) return std::chrono::milliseconds(0);
    return std::chrono::milliseconds(static_cast<std::int64_t>(
        std::ceil(static_cast<double>(simulated.count()) / speed_.factor)));
}

LocalClock ClockFunction(std::shared_ptr<const ProgramClock> clock) {
    return [clock = std::move(clock)] { return clock->Now(); };
}

}  // namespace quindle
