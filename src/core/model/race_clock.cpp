#include "model/race_clock.h"

#include <chrono>
#include <optional>

#include "store/record_layout.h"
#include "text/fields.h"

namespace quindle::model {
namespace {

namespace ra = store::layout::ra;
namespace head = store::layout::head;
using std::chrono::seconds;

// Seconds since the epoch of a local date and time taken as a plain calendar
// moment (the time zone cancels out of every difference).
std::optional<seconds> MomentOf(const LocalDateTime& t) {
    const std::chrono::year_month_day date{std::chrono::year(t.year),
                                           std::chrono::month(static_cast<unsigned>(t.month)),
                                           std::chrono::day(static_cast<unsigned>(t.day))};
    if (t.year < 1 || !date.ok() || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 ||
        t.second < 0 || t.second > 59) {
        return std::nullopt;
    }
    const auto days = std::chrono::sys_days(date).time_since_epoch();
    return std::chrono::duration_cast<seconds>(days) + std::chrono::hours(t.hour) +
           std::chrono::minutes(t.minute) + seconds(t.second);
}

}  // namespace

std::string ClockText(const LocalDateTime& now) {
    return text::Format("%02d時%02d分%02d秒", now.hour, now.minute, now.second);
}

std::string TimeLeftText(const model::RaImage& race, const LocalDateTime& now) {
    const LocalDateTime post{race.Int32(head::kYear),     race.Int32(head::kMonth),
                             race.Int32(head::kDay),      race.Int32(ra::kPostHour),
                             race.Int32(ra::kPostMinute), 0};
    const auto postMoment = MomentOf(post);
    const auto nowMoment = MomentOf(now);
    if (!postMoment || !nowMoment) return {};
    if (*postMoment <= *nowMoment) return "発走済み";
    const long long left = (*postMoment - *nowMoment).count();
    return "発走までの残り時間：" +
           text::Format("%02lld:%02lld:%02lld", left / 3600, left / 60 % 60, left % 60);
}

}  // namespace quindle::model
