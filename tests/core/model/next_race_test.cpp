#include "core/model/next_race.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/fixtures/loader_fixture.h"

namespace quindle::model {
namespace {

namespace ra = store::layout::ra;
using testing::RaRec;

// Races of one day with the given post times, in list order.
std::unique_ptr<RaceDay> DayWithPostTimes(const char* yyyymmdd,
                                          const std::vector<const char*>& postTimes) {
    auto day = std::make_unique<RaceDay>();
    for (size_t i = 0; i < postTimes.size(); ++i) {
        const int race = static_cast<int>(i);
        day->RaceRA(race).Assign(
            RaRec(yyyymmdd, "06", race + 1).Put(ra::kPostTime, postTimes[i]).Line());
    }
    return day;
}

LocalDateTime At(int hour, int minute, int day = 5) {
    return {2025, 1, day, hour, minute, 30};
}

TEST(NextRaceLine, PicksTheClosestLaterPostTimeOfToday) {
    const auto day = DayWithPostTimes("20250105", {"1005", "1035", "1105", "1035", "    "});
    const std::vector<int> lines = {0, 1, 2, 3, 4};
    struct Case {
        LocalDateTime now;
        std::optional<int> line;
    };
    const Case cases[] = {
        {At(9, 0), 0},
        {At(10, 5), 1},   // a race starting this minute has started
        {At(10, 10), 1},  // a tie goes to the first line
        {At(10, 40), 2},
        {At(11, 5), std::nullopt},    // every race has started
        {At(9, 0, 6), std::nullopt},  // another day than the loaded one
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextRaceLine(*day, lines, c.now), c.line) << c.now.hour << ":" << c.now.minute;
    }
}

TEST(NextRaceLine, LinesMapToTheirRaceIndexes) {
    // Race 1 has no line (a blank year): line 1 shows race 2.
    const auto day = DayWithPostTimes("20250105", {"1005", "0000", "1105"});
    day->RaceRA(1).Blank();
    EXPECT_EQ(NextRaceLine(*day, {0, 2}, At(10, 30)), 1);
    EXPECT_EQ(NextRaceLine(*day, {}, At(10, 30)), std::nullopt);
}

}  // namespace
}  // namespace quindle::model
