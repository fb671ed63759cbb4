#include "core/analysis/mark_backtest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/out_data.h"
#include "core/text/cp932.h"

namespace quindle::analysis {
namespace {

ScannedRunner Ride(const char* jockeyUtf8, RidingPattern pattern, int popularity, int date,
                   int finish, int winPayout, int placePayout) {
    ScannedRunner r;
    r.jockeyShort = text::ToCp932(jockeyUtf8);
    r.pattern = pattern;
    r.popularity = popularity;
    r.date = date;
    r.finish = finish;
    r.winPayout = winPayout;
    r.placePayout = placePayout;
    r.placed = placePayout > 0;
    return r;
}

using P = RidingPattern;

// 武豊 on テン乗り as second or third favourite: 4 rides, one win at 900 yen
// and two places; 横山 on 連続騎乗 favourites: 4 rides that paid little.
std::vector<ScannedRunner> Period() {
    return {
        Ride("武　豊", P::kTenNori, 2, 20250105, 1, 900, 300),
        Ride("武　豊", P::kTenNori, 3, 20250112, 2, 0, 200),
        Ride("武　豊", P::kTenNori, 2, 20250201, 5, 0, 0),
        Ride("武　豊", P::kTenNori, 3, 20250202, 7, 0, 0),
        Ride("横山", P::kRenzokuKijo, 1, 20250105, 1, 150, 110),
        Ride("横山", P::kRenzokuKijo, 1, 20250112, 4, 0, 0),
        Ride("横山", P::kRenzokuKijo, 1, 20250201, 3, 0, 120),
        Ride("横山", P::kRenzokuKijo, 1, 20250202, 9, 0, 0),
    };
}

TEST(LearnTable, MarksWhatPaidWithEnoughRidesInTheTablesOwnForm) {
    const std::string table = LearnTable(Period(), {.minRides = 4, .minReturn = 100.0});
    // 武豊: win 225%, place 125%; 横山: win 37.5%, place 57.5%.
    EXPECT_EQ(text::ToUtf8(table),
              "#騎手名,人気,騎乗パターン,単推奨,複推奨\r\n"
              "武豊,B,テン乗り,◎,◎\r\n");
    EXPECT_EQ(LearnTable(Period(), {.minRides = 5, .minReturn = 100.0}),
              text::ToCp932("#騎手名,人気,騎乗パターン,単推奨,複推奨\r\n"));
    EXPECT_EQ(text::ToUtf8(LearnTable(Period(), {.minRides = 4, .minReturn = 150.0})),
              "#騎手名,人気,騎乗パターン,単推奨,複推奨\r\n"
              "武豊,B,テン乗り,◎,\r\n");
}

TEST(Backtest, ALearnedTableMarksItsRidesAndTheBacktestCountsThem) {
    const std::vector<ScannedRunner> runners = Period();
    const auto table = JockeyRecommendTable::FromText(LearnTable(runners, {.minRides = 4}));
    const std::vector<RunnerMarks> marks = MarkRunners(runners, table);
    for (size_t i = 0; i < runners.size(); ++i) {
        const int expected = i < 4 ? model::kMarkRecommend : model::kMarkNone;
        EXPECT_EQ(marks[i].win, expected) << i;
        EXPECT_EQ(marks[i].place, expected) << i;
    }

    const std::vector<BacktestRow> rows = Backtest(runners, marks);
    ASSERT_EQ(rows.size(), 6u);  // ◎☆, ◎, ☆, 印なし, 2025-01, 2025-02
    EXPECT_EQ(rows[0].group, "◎☆");
    EXPECT_EQ(rows[0].win.runners, 4);
    EXPECT_DOUBLE_EQ(rows[0].win.win.Return().value, 225.0);
    EXPECT_DOUBLE_EQ(rows[0].place.place.Return().value, 125.0);
    EXPECT_EQ(rows[2].group, "☆");
    EXPECT_EQ(rows[2].win.runners, 0);
    EXPECT_EQ(rows[3].group, "印なし");
    EXPECT_EQ(rows[3].win.runners, 4);
    EXPECT_EQ(rows[4].group, "2025-01");
    EXPECT_DOUBLE_EQ(rows[4].win.win.Return().value, 450.0);
    EXPECT_EQ(rows[5].group, "2025-02");
    EXPECT_EQ(rows[5].win.win.hits, 0);

    const std::vector<CumulativePoint> points = CumulativeReturn(runners, marks);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].date, 20250105);
    EXPECT_DOUBLE_EQ(points[0].markedPaid, 900.0);
    EXPECT_DOUBLE_EQ(points[0].unmarkedPaid, 150.0);
    EXPECT_DOUBLE_EQ(points.back().markedStake, 400.0);
    EXPECT_DOUBLE_EQ(points.back().unmarkedStake, 400.0);
}

TEST(Backtest, TrioFavouriteUpgradesTheFavouritesMark) {
    std::vector<ScannedRunner> runners = Period();
    for (ScannedRunner& r : runners) r.trioFavouriteOdds = 7.5;  // upgrades ranks 1 to 3
    const auto table = JockeyRecommendTable::FromText(LearnTable(runners, {.minRides = 4}));
    const std::vector<RunnerMarks> marks = MarkRunners(runners, table);
    EXPECT_EQ(marks[0].win, model::kMarkUpgraded);
    const std::vector<BacktestRow> rows = Backtest(runners, marks);
    EXPECT_EQ(rows[1].win.runners, 0);  // ◎
    EXPECT_EQ(rows[2].win.runners, 4);  // ☆
}

}  // namespace
}  // namespace quindle::analysis
