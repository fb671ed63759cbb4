#include "core/util/program_clock.h"

#include <gtest/gtest.h>

#include <string>

namespace quindle {
namespace {

TEST(DateTimeText, ReadsOnlyRealMomentsInTheProgramsForm) {
    struct Case {
        std::string_view text;
        bool valid;
    };
    const Case kCases[] = {
        {"2025/03/30 09:25:00", true},
        {"2024/02/29 23:59:59", true},
        {"2025/02/29 10:00:00", false},
        {"2025/03/30 24:00:00", false},
        {"2025/03/30 09:60:00", false},
        {"2025-03-30 09:25:00", false},
        {"2025/03/30 9:25:00", false},
        {"2025/03/30", false},
        {"", false},
    };
    for (const Case& c : kCases) {
        const auto parsed = ParseDateTime(c.text);
        EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
        if (parsed) {
            EXPECT_EQ(FormatDateTime(*parsed), c.text);
        }
    }
}

TEST(CalendarSeconds, CountWallClockSecondsAcrossDaysMonthsAndYears) {
    const LocalDateTime kMoments[] = {
        {1970, 1, 1, 0, 0, 0},   {2024, 2, 29, 23, 59, 59}, {2024, 12, 31, 23, 59, 59},
        {2025, 3, 30, 9, 25, 0}, {1969, 12, 31, 23, 0, 0},
    };
    for (const LocalDateTime& t : kMoments) {
        const auto seconds = CalendarSeconds(t);
        ASSERT_TRUE(seconds) << FormatDateTime(t);
        EXPECT_EQ(FormatDateTime(FromCalendarSeconds(*seconds)), FormatDateTime(t));
    }
    EXPECT_EQ(*CalendarSeconds({2025, 1, 1, 0, 0, 0}) - *CalendarSeconds({2024, 12, 31, 23, 59, 0}),
              60);
    EXPECT_FALSE(CalendarSeconds({2025, 2, 30, 0, 0, 0}));
}

TEST(ClockSpeed, IsAPositiveNumberOrMax) {
    EXPECT_TRUE(ParseClockSpeed("max")->max);
    EXPECT_EQ(ParseClockSpeed("60")->factor, 60.0);
    EXPECT_EQ(ParseClockSpeed("0.5")->factor, 0.5);
    for (std::string_view bad : {"0", "-2", "fast", "", "10x", "inf", "nan"}) {
        EXPECT_FALSE(ParseClockSpeed(bad)) << bad;
    }
}

TEST(SimulatedClock, AtMaxStandsStillAndJumpsToWhatItWaitsFor) {
    const LocalDateTime start{2025, 3, 30, 9, 25, 0};
    SimulatedClock clock(start, ClockSpeed{1.0, true});
    EXPECT_TRUE(clock.Simulated());
    EXPECT_EQ(FormatDateTime(clock.Now()), "2025/03/30 09:25:00");
    clock.WaitUntil({2025, 3, 30, 9, 25, 40});
    EXPECT_EQ(FormatDateTime(clock.Now()), "2025/03/30 09:25:40");
    clock.WaitUntil({2025, 3, 30, 23, 59, 59});
    clock.WaitUntil({2025, 3, 31, 0, 0, 20});
    EXPECT_EQ(FormatDateTime(clock.Now()), "2025/03/31 00:00:20");
    clock.WaitUntil(start);  // time never runs back
    EXPECT_EQ(FormatDateTime(clock.Now()), "2025/03/31 00:00:20");
    EXPECT_EQ(clock.RealInterval(std::chrono::milliseconds(40000)).count(), 0);
}

TEST(SimulatedClock, AtASpeedRunsThatManyTimesFasterThanRealTime) {
    // An hour of simulated time in a tenth of a second.
    SimulatedClock clock({2025, 3, 30, 9, 0, 0}, ClockSpeed{36000.0, false});
    clock.WaitUntil({2025, 3, 30, 10, 0, 0});
    const auto now = CalendarSeconds(clock.Now());
    EXPECT_GE(*now, *CalendarSeconds({2025, 3, 30, 10, 0, 0}));
    EXPECT_EQ(clock.RealInterval(std::chrono::milliseconds(36000000)).count(), 1000);
}

TEST(SystemClock, ReadsItsSourceAndKeepsTimerIntervals) {
    SystemClock clock([] { return LocalDateTime{2025, 3, 30, 9, 0, 0}; });
    EXPECT_FALSE(clock.Simulated());
    EXPECT_EQ(FormatDateTime(clock.Now()), "2025/03/30 09:00:00");
    clock.WaitUntil({2025, 3, 30, 8, 0, 0});  // past: no wait
    EXPECT_EQ(clock.RealInterval(std::chrono::milliseconds(40000)).count(), 40000);
}

}  // namespace
}  // namespace quindle
