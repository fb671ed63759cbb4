#include "core/model/race_clock.h"

#include <gtest/gtest.h>

#include "core/store/record_layout.h"

namespace quindle::model {
namespace {

namespace ra = store::layout::ra;
namespace head = store::layout::head;

model::RaImage Race(std::string_view date8, std::string_view hhmm) {
    model::RaImage race;
    race.Put(head::kRaceDate, date8);
    race.Put(ra::kPostTime, hhmm);
    return race;
}

TEST(ClockText, IsHoursMinutesSecondsWithTheirUnits) {
    EXPECT_EQ(ClockText({2025, 1, 5, 9, 3, 7}), "09時03分07秒");
    EXPECT_EQ(ClockText({2025, 1, 5, 23, 59, 59}), "23時59分59秒");
}

TEST(TimeLeftText, CountsDownToThePostTimeThenSaysTheRaceHasStarted) {
    struct Case {
        std::string_view date8;
        std::string_view post;
        LocalDateTime now;
        std::string_view expected;
    };
    const Case kCases[] = {
        {"20250105", "1540", {2025, 1, 5, 15, 30, 30}, "発走までの残り時間：00:09:30"},
        {"20250105", "1540", {2025, 1, 5, 15, 39, 59}, "発走までの残り時間：00:00:01"},
        {"20250105", "1540", {2025, 1, 5, 15, 40, 0}, "発走済み"},
        {"20250105", "1540", {2025, 1, 5, 16, 0, 0}, "発走済み"},
        {"20250105", "1000", {2025, 1, 4, 22, 0, 0}, "発走までの残り時間：12:00:00"},
        {"20250106", "1000", {2025, 1, 4, 9, 0, 0}, "発走までの残り時間：49:00:00"},
        {"20241231", "0000", {2025, 1, 1, 0, 0, 0}, "発走済み"},
        // No valid post moment: nothing to count down to.
        {"        ", "    ", {2025, 1, 5, 15, 0, 0}, ""},
        {"20250230", "1000", {2025, 1, 5, 15, 0, 0}, ""},
        {"20250105", "2460", {2025, 1, 5, 15, 0, 0}, ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.date8) + " " + std::string(c.post));
        EXPECT_EQ(TimeLeftText(Race(c.date8, c.post), c.now), c.expected);
    }
}

}  // namespace
}  // namespace quindle::model
