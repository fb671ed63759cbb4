#include "core/model/race_clock.h"

#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::model {
namespace {

namespace ra = store::layout::ra;
namespace head = store::layout::head;

}  // namespace

std::string ClockText(const LocalDateTime& now) {
    return text::Format("%02d時%02d分%02d秒", now.hour, now.minute, now.second);
}

std::string TimeLeftText(const model::RaImage& race, const LocalDateTime& now) {
    const LocalDateTime post{race.Int32(head::kYear),     race.Int32(head::kMonth),
                             race.Int32(head::kDay),      race.Int32(ra::kPostHour),
                             race.Int32(ra::kPostMinute), 0};
    const auto postMoment = CalendarSeconds(post);
    const auto nowMoment = CalendarSeconds(now);
    if (!postMoment || !nowMoment) return {};
    if (*postMoment <= *nowMoment) return "発走済み";
    const long long left = *postMoment - *nowMoment;
    return "発走までの残り時間：" +
           text::Format("%02lld:%02lld:%02lld", left / 3600, left / 60 % 60, left % 60);
}

}  // namespace quindle::model
