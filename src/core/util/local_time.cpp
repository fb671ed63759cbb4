#include "core/util/local_time.h"

#include <chrono>
#include <ctime>

#include "core/text/fields.h"

namespace quindle {

LocalDateTime CurrentLocalDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#if defined(_WIN32)
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string FormatDateTime(const LocalDateTime& t) {
    return text::Format("%04d/%02d/%02d ", t.year, t.month, t.day) + FormatTime(t);
}

std::string FormatTime(const LocalDateTime& t) {
    return text::Format("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::optional<LocalDateTime> ParseDateTime(std::string_view text) {
    // yyyy/mm/dd hh:nn:ss
    constexpr std::string_view kShape = "dddd/dd/dd dd:dd:dd";
    if (text.size() != kShape.size()) return std::nullopt;
    for (size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
    }
    auto n = [text](size_t at, size_t len) { return text::ReadInt32(text.substr(at, len)); };
    const LocalDateTime t{n(0, 4), n(5, 2), n(8, 2), n(11, 2), n(14, 2), n(17, 2)};
    if (!CalendarSeconds(t)) return std::nullopt;
    return t;
}

std::optional<std::int64_t> CalendarSeconds(const LocalDateTime& t) {
    using namespace std::chrono;
    const year_month_day date{year(t.year), month(static_cast<unsigned>(t.month)),
                              day(static_cast<unsigned>(t.day))};
    if (t.year < 1 || t.month < 1 || t.day < 1 || !date.ok() || t.hour < 0 || t.hour > 23 ||
        t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
        return std::nullopt;
    }
    const std::int64_t days = sys_days(date).time_since_epoch().count();
    return days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalDateTime FromCalendarSeconds(std::int64_t seconds) {
    using namespace std::chrono;
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const year_month_day date{sys_days(std::chrono::days(days))};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(rest / 3600),
            static_cast<int>(rest / 60 % 60),
            static_cast<int>(rest % 60)};
}

}  // namespace quindle
