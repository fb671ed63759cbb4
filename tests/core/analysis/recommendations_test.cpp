#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/riding_pattern.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/text/cp932.h"

namespace quindle::testing {
namespace {

using analysis::MarkRecommendations;

// The table file's lines (UTF-8); a heading that sorts before the data.
analysis::JockeyRecommendTable Table(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return analysis::JockeyRecommendTable::FromText(text::ToCp932(bytes));
}

const char* const kHeading = "#jockey,letter,pattern,win,place";

class Recommendations : public RaceDayTest {
  protected:
    // Race 0 with one runner per entry: jockey short name (UTF-8), pattern
    // flag ('T' テン乗り, 'R' 連続騎乗, 'N' 乗り戻り, ' ' none), win rank.
    struct Entry {
        std::string jockey;
        char pattern;
        int winRank;
    };
    void SetUpRace(const std::vector<Entry>& entries, const std::vector<TrioEntry>& trio = {}) {
        SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(static_cast<int>(entries.size())));
        model::TOutData& out = day().OutData(0);
        for (size_t i = 0; i < entries.size(); ++i) {
            const int slot = static_cast<int>(i);
            SetRunner(0, slot, Runner(slot + 1, "2020100001", "00001", entries[i].jockey));
            out.TenNori[slot] = entries[i].pattern == 'T';
            out.RenzokuKijo[slot] = entries[i].pattern == 'R';
            out.NoriModori[slot] = entries[i].pattern == 'N';
            out.WinPopRank[slot] = entries[i].winRank;
        }
        day().RaceO5(0).Assign(O5Rec(kToday, kVenue, kRaceNumber, trio).Line());
    }
    std::pair<int, int> Marks(int slot) {
        const model::TOutData& out = day().OutData(0);
        return {out.WinRecommend[slot], out.PlaceRecommend[slot]};
    }
};

TEST_F(Recommendations, LooksUpNamePatternAndLetter) {
    const auto table = Table({
        kHeading,
        "武豊,A,連続騎乗,◎,◎",
        "武豊,B,テン乗り,◎,",
        "横山典弘,C,乗り戻り,,◎",
        "無印,,テン乗り,◎,◎",
    });
    SetUpRace({
        {"武　豊", 'R', 1},    // full-width blank inside the name
        {"武豊", 'R', 2},      // letter B: no row for 連続騎乗
        {"武豊", 'T', 3},      // B テン乗り: win only
        {"横山典弘", 'N', 5},  // place only
        {"横山典弘", 'T', 5},  // pattern differs
        {"無印", 'T', 0},      // no rank: only rows with an empty letter
        {"無印", ' ', 0},      // no pattern
    });
    MarkRecommendations(day(), 0, table);
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {0, 0}, {1, 0}, {0, 1},
                                                       {0, 0}, {1, 1}, {0, 0}};
    for (size_t slot = 0; slot < expected.size(); ++slot) {
        EXPECT_EQ(Marks(static_cast<int>(slot)), expected[slot]) << slot;
    }
    EXPECT_EQ(day().OutData(0).TrioFavouriteOdds, 0.0);
}

TEST_F(Recommendations, ALaterRowAddsTheMarkAnEarlierOneLacked) {
    SetUpRace({{"武豊", 'R', 1}});
    MarkRecommendations(day(), 0, Table({kHeading, "武豊,A,連続騎乗,◎,", "武豊,A,連続騎乗,,◎"}));
    EXPECT_EQ(Marks(0), std::make_pair(1, 1));
}

TEST_F(Recommendations, TheFirstLineInSortedOrderIsNeverLookedUp) {
    SetUpRace({{"武豊", 'R', 1}});
    // No heading: the only data line is row 0.
    MarkRecommendations(day(), 0, Table({"武豊,A,連続騎乗,◎,◎"}));
    EXPECT_EQ(Marks(0), std::make_pair(0, 0));
}

TEST_F(Recommendations, EachRunReplacesTheMarks) {
    SetUpRace({{"武豊", 'R', 1}});
    day().OutData(0).WinRecommend[5] = 2;  // left over from an earlier run
    MarkRecommendations(day(), 0, Table({kHeading, "武豊,A,連続騎乗,◎,◎"}));
    day().OutData(0).WinPopRank[0] = 2;
    MarkRecommendations(day(), 0, Table({kHeading, "武豊,A,連続騎乗,◎,◎"}));
    EXPECT_EQ(Marks(0), std::make_pair(0, 0));
    EXPECT_EQ(day().OutData(0).WinRecommend[5], 0);
}

TEST_F(Recommendations, TrioFavouriteOddsComeFromTheLastEntryRankedFirst) {
    struct Case {
        const char* name;
        std::vector<TrioEntry> trio;
        double odds;
    } cases[] = {
        {"no trio odds", {}, 0.0},
        {"one favourite", {{1, "000125", 2}, {7, "000048", 1}}, 4.8},
        {"last of two wins", {{3, "000050", 1}, {9, "000210", 1}}, 21.0},
        {"odds not a number", {{4, "00*123", 1}}, 0.0},
    };
    for (const Case& c : cases) {
        SetUpRace({{"武豊", 'R', 1}}, c.trio);
        MarkRecommendations(day(), 0, Table({kHeading}));
        EXPECT_DOUBLE_EQ(day().OutData(0).TrioFavouriteOdds, c.odds) << c.name;
    }
}

TEST_F(Recommendations, TurbulenceUpgradesTheMarksOfItsPopularityBand) {
    struct Case {
        const char* trioOdds;  // tenths
        int rank;
        bool upgraded;
    } cases[] = {
        {"000048", 1, true},   {"000048", 2, false}, {"000050", 1, true},  {"000050", 3, true},
        {"000050", 4, false},  {"000100", 1, false}, {"000100", 2, true},  {"000100", 9, true},
        {"000100", 10, false}, {"000149", 9, true},  {"000150", 5, false}, {"000150", 6, true},
        {"000150", 18, true},  {"000000", 1, false},
    };
    const auto table = Table({
        kHeading,
        "武豊,A,連続騎乗,◎,◎",
        "武豊,B,連続騎乗,◎,◎",
        "武豊,C,連続騎乗,◎,◎",
        "武豊,D,連続騎乗,◎,◎",
        "武豊,E,連続騎乗,◎,◎",
        "武豊,F,連続騎乗,◎,◎",
    });
    for (const Case& c : cases) {
        // Slot 1 has no marks: a mark of 0 is never upgraded.
        SetUpRace({{"武豊", 'R', c.rank}, {"他騎手", 'R', c.rank}}, {{1, c.trioOdds, 1}});
        MarkRecommendations(day(), 0, table);
        const int mark = c.upgraded ? model::kMarkUpgraded : model::kMarkRecommend;
        EXPECT_EQ(Marks(0), std::make_pair(mark, mark)) << c.trioOdds << " rank " << c.rank;
        EXPECT_EQ(Marks(1), std::make_pair(0, 0)) << c.trioOdds << " rank " << c.rank;
    }
}

TEST_F(Recommendations, OnlyTheMarkSetIsUpgraded) {
    SetUpRace({{"武豊", 'R', 1}}, {{1, "000048", 1}});
    MarkRecommendations(day(), 0, Table({kHeading, "武豊,A,連続騎乗,,◎"}));
    EXPECT_EQ(Marks(0), std::make_pair(0, 2));
}

}  // namespace
}  // namespace quindle::testing
