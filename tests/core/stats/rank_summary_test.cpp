#include "core/stats/rank_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/cp932.h"
#include "core/util/temp_folder.h"

namespace quindle::stats {
namespace {

// A data row: ranks of the first three finishers in both rankings, and the
// 単勝, 馬連 and 3連複 payouts (texts as the file holds them).
struct Race {
    std::string a, a2, b, b2, c, c2;
    std::string win, quinella = "0", trio = "0";
};

StatsRow Row(const Race& race) {
    StatsRow row(kStatsColumns);
    row[9] = race.a;
    row[10] = race.a2;
    row[11] = race.b;
    row[12] = race.b2;
    row[13] = race.c;
    row[14] = race.c2;
    row[15] = race.win;
    row[25] = race.quinella;
    row[35] = race.trio;
    return row;
}

StatsGrid Grid(const std::vector<Race>& races) {
    StatsGrid grid{StatsRow(kStatsColumns, "h")};
    for (const Race& race : races) grid.push_back(Row(race));
    return grid;
}

std::string Cell(const RankSummary& s, int row, int column) {
    return text::ToUtf8(s.grid[static_cast<size_t>(row)][static_cast<size_t>(column)]);
}

TEST(RankSummaryTest, CountsRatesAndAveragesOfBothRankings) {
    const auto summary = ComputeRankSummary(Grid({
        {"1", "2", "2", "1", "3", "0", "250", "1000", "3001"},
        {"1", "2", "3", "1", "2", "4", "151", "", "2000"},
        {"2", "1", "1", "2", "3", "3", "500", "700", "900"},
        {"3", "5", "1", "2", "2", "1", "", "9", "9"},  // no 単勝 payout: not counted
    }));
    ASSERT_TRUE(summary.ok()) << summary.error();
    EXPECT_EQ(summary->countedRaces, 3);
    // First ranking, rank 1: won twice, in the first two three times.
    EXPECT_EQ(Cell(*summary, 1, 1), "      2");
    EXPECT_EQ(Cell(*summary, 2, 1), "  66.67");
    EXPECT_EQ(Cell(*summary, 3, 1), "      3");
    EXPECT_EQ(Cell(*summary, 4, 1), " 100.00");
    EXPECT_EQ(Cell(*summary, 5, 1), "      3");
    EXPECT_EQ(Cell(*summary, 6, 1), " 100.00");
    EXPECT_EQ(Cell(*summary, 7, 1), "    201");  // (250 + 151) / 2, half up
    EXPECT_EQ(Cell(*summary, 8, 1), "    500");  // a blank 馬連 counts 0
    EXPECT_EQ(Cell(*summary, 9, 1), "   2501");  // 2500.5 rounds up
    // Rank 3 placed but never won: its payout rows stay blank.
    EXPECT_EQ(Cell(*summary, 1, 3), "      0");
    EXPECT_EQ(Cell(*summary, 6, 3), " 100.00");
    EXPECT_EQ(Cell(*summary, 7, 3), "");
    EXPECT_EQ(Cell(*summary, 9, 3), "");
    // Second ranking: rank 2 won twice; the unranked third place of race 1
    // counts at rank 7.
    EXPECT_EQ(Cell(*summary, 11, 2), "      2");
    EXPECT_EQ(Cell(*summary, 11, 1), "      1");
    EXPECT_EQ(Cell(*summary, 15, 7), "      1");
    EXPECT_EQ(Cell(*summary, 17, 1), "    500");
    EXPECT_EQ(Cell(*summary, 17, 5), "");
    // Captions; row 10 and the rows below the second ranking stay blank.
    EXPECT_EQ(Cell(*summary, 0, 1), " 1位");
    EXPECT_EQ(Cell(*summary, 0, 18), "18位");
    EXPECT_EQ(Cell(*summary, 0, 0), "");
    EXPECT_EQ(Cell(*summary, 4, 0), "連対率");
    EXPECT_EQ(Cell(*summary, 19, 0), "3連複配当");
    for (int c = 0; c < kSummaryColumns; ++c) {
        EXPECT_EQ(Cell(*summary, 10, c), "");
        EXPECT_EQ(Cell(*summary, 20, c), "");
    }
}

TEST(RankSummaryTest, ThreeUnrankedFinishersCountAtRankSeven) {
    const auto summary = ComputeRankSummary(Grid({{"4", "0", "5", "0", "6", "0", "300"}}));
    ASSERT_TRUE(summary.ok()) << summary.error();
    EXPECT_EQ(Cell(*summary, 11, 7), "      1");
    EXPECT_EQ(Cell(*summary, 13, 7), "      2");
    EXPECT_EQ(Cell(*summary, 15, 7), "      3");
    EXPECT_EQ(Cell(*summary, 16, 7), " 300.00");
    EXPECT_EQ(Cell(*summary, 17, 7), "    300");
}

// A file of a header and 100 races loads into 101 rows; the wins of row 1 add
// up to the counted races.
TEST(RankSummaryTest, HundredRaceFileCountsEveryRaceOnce) {
    testing::TempFolder folder;
    std::string file = "\"h\"\r\n";
    for (int i = 0; i < 100; ++i) {
        std::vector<std::string> f(kStatsColumns, "0");
        f[9] = std::to_string(i % 18 + 1);
        f[11] = std::to_string((i + 1) % 18 + 1);
        f[13] = std::to_string((i + 2) % 18 + 1);
        f[15] = i % 10 == 9 ? "" : "120";  // ten without 単勝 payout
        for (std::size_t c = 0; c < f.size(); ++c) file += (c ? "," : "") + f[c];
        file += "\r\n";
    }
    testing::WriteBytes(folder.path() / "t.csv", file);
    const auto data = LoadStatsFile(folder.path() / "t.csv");
    ASSERT_TRUE(data.ok()) << data.error();
    EXPECT_EQ(data->size(), 101u);
    const auto summary = ComputeRankSummary(*data);
    ASSERT_TRUE(summary.ok()) << summary.error();
    EXPECT_EQ(summary->countedRaces, 90);
    long long wins = 0;
    for (int k = 1; k <= kRankPositions; ++k) wins += StatsCellInt(Cell(*summary, 1, k));
    EXPECT_EQ(wins, 90);
}

TEST(RankSummaryTest, RanksOutOfRangeAndNoCountedRaceAreErrorsNamingTheCause) {
    struct Case {
        std::vector<Race> races;
        std::string message;
    };
    const Case cases[] = {
        {{{"1", "1", "2", "2", "3", "3", "100"}, {"19", "1", "2", "2", "3", "3", "100"}},
         "3行目、10項目目の順位 19"},
        {{{"1", "1", "2", "-1", "3", "3", "100"}}, "2行目、13項目目の順位 -1"},
        {{{"1", "1", "2", "2", "3", "25", "100"}}, "2行目、15項目目の順位 25"},
        {{{"1", "1", "2", "2", "3", "3", ""}, {"0", "1", "2", "2", "3", "3", "100"}},
         "集計できるレースがありません"},
        {{}, "集計できるレースがありません"},
    };
    for (const Case& c : cases) {
        const auto summary = ComputeRankSummary(Grid(c.races));
        ASSERT_FALSE(summary.ok()) << c.message;
        EXPECT_NE(summary.error().find(c.message), std::string::npos) << summary.error();
    }
}

TEST(RankSummaryTest, CellsReadAsWholeNumbersOrZero) {
    const std::pair<std::string, long long> cases[] = {
        {"12", 12}, {" 7 ", 7}, {"+3", 3},
        {"-2", -2}, {"", 0},    {"1.5", 0},
        {"12a", 0}, {"abc", 0}, {"99999999999999999999", 0},
    };
    for (const auto& [cell, value] : cases) EXPECT_EQ(StatsCellInt(cell), value) << cell;
}

}  // namespace
}  // namespace quindle::stats
