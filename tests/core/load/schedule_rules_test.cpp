#include "core/load/schedule_rules.h"

#include <gtest/gtest.h>

#include "core/fixtures/race_day_fixture.h"
#include "core/store/record_layout.h"
#include "core/text/fields.h"

namespace quindle::load {
namespace {

using testing::kToday;
using testing::kVenue;
using testing::O1Rec;
using testing::RaRec;
namespace ra = store::layout::ra;

// Each queued race as its key and race index "%2d".
std::vector<std::string> Queued(const std::vector<RaceRef>& queue) {
    std::vector<std::string> entries;
    for (const RaceRef& race : queue) entries.push_back(race.key + text::Format("%2d", race.index));
    return entries;
}

LocalDateTime At(int hour, int minute, int second = 0) {
    return {2025, 1, 5, hour, minute, second};
}

class ScheduleRulesTest : public testing::RaceDayTest {
  protected:
    // Race `race` of today with its post time and the load's odds times
    // ("AutoOzGet" 10); `announced` (mmddhhmm) the held O1, none when empty.
    void Race(int race, std::string_view post, std::string_view oddsTime,
              std::string_view oddsTimeNext, std::string_view announced = "") {
        SetRace(race, RaRec(kToday, kVenue, race + 1).Put(ra::kPostTime, post));
        day().OutData(race).OddsTime = oddsTime;
        day().OutData(race).OddsTimeNext = oddsTimeNext;
        if (!announced.empty()) {
            ASSERT_TRUE(
                day().RaceO1(race).Assign(O1Rec(kToday, kVenue, race + 1, {}, announced).Line()));
        }
    }
};

TEST_F(ScheduleRulesTest, ARaceIsQueuedInTheMinuteOfItsOddsTimeOrTheNextUnlessItsOddsAreFresh) {
    struct Case {
        std::string_view announced;  // "" none held
        LocalDateTime now;
        bool queued;
    };
    // Post 15:40, OddsTime 15:30: odds announced before 15:25 are stale.
    const Case kCases[] = {
        {"", At(15, 30, 0), true},
        {"01051524", At(15, 30, 0), true},
        {"01051524", At(15, 31, 59), true},
        {"01051525", At(15, 30, 0), false},
        {"01051526", At(15, 31, 0), false},
        {"01051524", At(15, 29, 59), false},
        {"01051524", At(15, 32, 0), false},
        // Odds of the race's eve say nothing about the race day.
        {"01041800", At(15, 30, 0), true},
        // Odds fetched at the first tick keep the second from fetching again.
        {"01051530", At(15, 31, 0), false},
        // Final odds carry no announcement time (zeros or blanks): nothing
        // newer will come, so they are never fetched again.
        {"00000000", At(15, 30, 0), false},
        {"        ", At(15, 31, 0), false},
    };
    for (const Case& c : kCases) {
        day().RaceO1(0).Blank();
        Race(0, "1540", "1530", "1531", c.announced);
        EXPECT_EQ(OddsDue(day(), 0, c.now), c.queued) << c.announced << " at " << FormatTime(c.now);
        EXPECT_EQ(AutoOddsQueue(day(), c.now).size(), c.queued ? 1u : 0u) << c.announced;
    }
}

TEST_F(ScheduleRulesTest, TheQueueRunsFromNineToSixAndListsKeyAndIndexInRaceOrder) {
    Race(3, "0910", "0900", "0901");
    Race(7, "0910", "0900", "0901");
    Race(8, "1010", "1000", "1001");
    Race(9, "1810", "1800", "1801");
    Race(10, "0909", "0859", "0900");
    Race(11, "", "", "");  // no post time: never due
    EXPECT_EQ(Queued(AutoOddsQueue(day(), At(9, 0))),
              (std::vector<std::string>{"2025010506010104 3", "2025010506010108 7",
                                        "202501050601011110"}));
    EXPECT_TRUE(AutoOddsQueue(day(), At(8, 59, 59)).empty());
    EXPECT_EQ(Queued(AutoOddsQueue(day(), At(18, 0, 30))),
              (std::vector<std::string>{"2025010506010110 9"}));
    EXPECT_TRUE(AutoOddsQueue(day(), At(18, 1)).empty()) << "18:01 is past the window";
}

TEST(RefreshRules, ActFromTheFirstRaceLeadTimeUntilSixInclusive) {
    struct Case {
        std::string_view firstPost;
        int autoRdataGet;
        LocalDateTime now;
        bool acts;
    };
    const Case kCases[] = {
        {"1005", 10, At(9, 25), false}, {"1005", 10, At(9, 26), true},
        {"1005", 10, At(12, 0), true},  {"1005", 10, At(18, 0, 59), true},
        {"1005", 10, At(18, 1), false}, {"1005", 20, At(9, 15), false},
        {"1005", 20, At(9, 16), true},  {"0830", 10, At(7, 59), false},
        {"0830", 10, At(8, 0), true},
    };
    for (const Case& c : kCases) {
        model::RaImage first;
        first.Put(ra::kPostTime, c.firstPost);
        EXPECT_EQ(RefreshActs(first, c.autoRdataGet, c.now), c.acts)
            << c.firstPost << " every " << c.autoRdataGet << " at " << FormatTime(c.now);
    }
    model::RaImage first;
    first.Put(ra::kPostTime, "1005");
    EXPECT_EQ(RefreshStart(first, 10), "0925");
}

TEST_F(ScheduleRulesTest, TheSwitchIsRefusedUnlessTodayOrTomorrowEveningWithFinalEntries) {
    struct Case {
        std::string_view date;
        LocalDateTime now;
        std::string_view refusal;  // "" none
    };
    const Case kCases[] = {
        {"", At(10, 0), "ﾃﾞｰﾀを読み込んでください。"},
        {"2025年01月05日", At(10, 0), ""},
        {"2025年01月06日", At(17, 59), "翌日のﾃﾞｰﾀは１８時過ぎに読み込んでください。"},
        {"2025年01月06日", At(18, 0), ""},
        {"2025年01月04日", At(10, 0), "本日のﾃﾞｰﾀを読み込んでください。"},
        {"2025年01月07日", At(19, 0), "本日のﾃﾞｰﾀを読み込んでください。"},
    };
    SetRace(0, RaRec(kToday, kVenue, 1));
    for (const Case& c : kCases) {
        EXPECT_EQ(AutoOddsRefusal(c.date, day(), c.now).value_or(""), c.refusal)
            << c.date << " at " << FormatTime(c.now);
    }
    SetRunner(0, 3, testing::SeRec(kToday, kVenue, 1, 4).Put(store::layout::head::kDataKind, "1"));
    EXPECT_EQ(AutoOddsRefusal("2025年01月05日", day(), At(10, 0)).value_or(""),
              "出走表データが最新でありません。JVデータ取得ボタンよりデータを取得してからオッズを"
              "取得してください。");
}

}  // namespace
}  // namespace quindle::load
