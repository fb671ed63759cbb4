#include "util/local_time.h"

#include <ctime>

#include "text/fields.h"

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

}  // namespace quindle
