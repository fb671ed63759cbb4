#pragma once
// Local wall-clock time as the logs and the schedule use it, and the clock
// they read it from; tests pass a fixed clock.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

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

// Reads "yyyy/mm/dd hh:nn:ss" (FormatDateTime's form); nothing unless it is a
// real date and time of day.
std::optional<LocalDateTime> ParseDateTime(std::string_view text);

// Seconds of a date and time counted on the calendar alone (from 1970/01/01
// 00:00:00, no time zone, no leap seconds), so that differences are plain
// wall-clock differences; nothing for an impossible date or time.
std::optional<std::int64_t> CalendarSeconds(const LocalDateTime& t);
// The date and time `seconds` after 1970/01/01 00:00:00 on the calendar.
LocalDateTime FromCalendarSeconds(std::int64_t seconds);

}  // namespace quindle
