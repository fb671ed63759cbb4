#pragma once
// Local wall-clock time as the logs and the schedule use it, and the clock
// they read it from; tests pass a fixed clock.

#include <functional>
#include <string>

namespace quindle {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

using LocalClock = std::function<LocalDateTime()>;

// The current local time of this machine.
LocalDateTime CurrentLocalDateTime();

// "yyyy/mm/dd hh:nn:ss" and "hh:nn:ss".
std::string FormatDateTime(const LocalDateTime& t);
std::string FormatTime(const LocalDateTime& t);

}  // namespace quindle
