#include "core/load/odds_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/fixtures/race_day_fixture.h"
#include "core/text/cp932.h"

namespace quindle::testing {
namespace {

namespace fs = std::filesystem;
using load::ImportOdds;

class OddsImport : public RaceDayTest {
  protected:
    // Race index 1 (venue 06, race 11) of the day with `entered` runners, and
    // the paths of the day files.
    void SetUpRace(int entered) {
        SetRace(0, RaRec(kToday, kVenue, 10).Entered(entered));
        SetRace(1, RaRec(kToday, kVenue, kRaceNumber).Entered(entered));
        paths_.o1 = files().DayFile(kToday, ".jvO1");
        paths_.o5 = files().DayFile(kToday, ".jvO5");
        paths_.csv = folder() / "CSV" / "GYN20250105.CSV";
    }
    // The day's O1 file: a record of race 10 first, then ours.
    void WriteO1(const std::vector<O1Odds>& odds) {
        files().WriteLines(paths_.o1, {O1Rec(kToday, kVenue, 10, {{"0011", "0011", "0012"}}).Line(),
                                       O1Rec(kToday, kVenue, kRaceNumber, odds).Line()});
    }
    void Import() { ASSERT_TRUE(ImportOdds(day(), 1, table_, paths_).ok()); }
    const model::TOutData& Out() { return day().OutData(1); }
    load::DayFilePaths paths_;
    std::vector<int> WinRanks(int n) {
        std::vector<int> r;
        for (int i = 0; i < n; ++i) r.push_back(Out().WinPopRank[i]);
        return r;
    }
    std::vector<int> PlaceRanks(int n) {
        std::vector<int> r;
        for (int i = 0; i < n; ++i) r.push_back(Out().PlacePopRank[i]);
        return r;
    }

    analysis::JockeyRecommendTable table_;
};

TEST_F(OddsImport, ReadsOddsAndTheirMarkers) {
    struct Case {
        const char* name;
        O1Odds odds;
        double win, low, high;
    } cases[] = {
        {"numbers", {"0035", "0012", "0018"}, 3.5, 1.2, 1.8},
        {"scratched", {"----", "----", "----"}, -1.0, -1.0, -1.0},
        {"stars", {"****", "****", "****"}, -1.0, -1.0, -1.0},
        {"blank", {"", "", ""}, -2.0, -2.0, -2.0},
        {"no win odds, place odds", {"----", "0020", "0031"}, -1.0, 2.0, 3.1},
        {"win odds, no place odds", {"0035", "****", "0031"}, 3.5, -1.0, -1.0},
    };
    for (const Case& c : cases) {
        SetUpRace(1);
        WriteO1({c.odds});
        Import();
        EXPECT_DOUBLE_EQ(Out().WinOdds[0], c.win) << c.name;
        EXPECT_DOUBLE_EQ(Out().PlaceOddsLow[0], c.low) << c.name;
        EXPECT_DOUBLE_EQ(Out().PlaceOddsHigh[0], c.high) << c.name;
    }
}

TEST_F(OddsImport, RanksByOddsThenPlaceOddsThenHorseNumber) {
    SetUpRace(6);
    WriteO1({
        {"0050", "0020", "0030"},  // 1: ties with 2 and 4 on win odds
        {"0050", "0015", "0020"},  // 2: lowest place odds of the three
        {"----", "0012", "0016"},  // 3: scratched from win, place only
        {"0050", "0020", "0030"},  // 4: ties with 1 on both: horse number
        {"0123", "0030", "0050"},  // 5: "%6.1f" keeps 12.3 after 5.0
        {"----", "----", "----"},  // 6: scratched
    });
    Import();
    EXPECT_EQ(WinRanks(6), (std::vector<int>{2, 1, 0, 3, 4, 0}));
    EXPECT_EQ(PlaceRanks(6), (std::vector<int>{3, 2, 1, 4, 5, 0}));
}

TEST_F(OddsImport, TakesTheFirstRecordOfTheRaceAndClearsEveryRun) {
    SetUpRace(2);
    files().WriteLines(paths_.o1,
                       {O1Rec(kToday, kVenue, kRaceNumber, {{"0020", "0011", "0012"}}).Line(),
                        O1Rec(kToday, kVenue, kRaceNumber, {{"0090", "0011", "0012"}}).Line()});
    day().OutData(1).WinRecommend[17] = 2;
    Import();
    EXPECT_DOUBLE_EQ(Out().WinOdds[0], 2.0);
    EXPECT_DOUBLE_EQ(Out().WinOdds[1], -2.0);  // no entry: blanks
    EXPECT_EQ(Out().WinRecommend[17], 0);

    // Without the day files the race ends with nothing imported.
    fs::remove(paths_.o1);
    Import();
    EXPECT_DOUBLE_EQ(Out().WinOdds[0], 0.0);
    EXPECT_EQ(Out().WinPopRank[0], 0);
}

TEST_F(OddsImport, FillsRanksFromThePopularityFileWhenFewerThanFourAreRanked) {
    const std::string key = "2025010506010111";  // date, 中山, meeting 1, day 1, race 11
    const std::vector<std::string> csv = {
        key + "01,5",
        key + "02,x",            // not a number: 0
        key + "19,1",            // no slot for horse 19
        key + "  ,1",            // no horse number
        "202501050601011004,1",  // another race
        key + "05, 2 ",
    };
    struct Case {
        const char* name;
        int ranked;  // runners with win odds
        std::vector<int> ranks;
    } cases[] = {
        {"3 ranked: the file replaces the listed horses", 3, {5, 0, 3, 0, 2, 0}},
        {"4 ranked: the file is not read", 4, {1, 2, 3, 4, 0, 0}},
    };
    for (const Case& c : cases) {
        SetUpRace(6);
        std::vector<O1Odds> odds(6, {"", "", ""});
        for (int i = 0; i < c.ranked; ++i) {
            odds[static_cast<size_t>(i)] = {text::Format("%04d", 20 + i), "0011", "0012"};
        }
        WriteO1(odds);
        files().WriteLines(paths_.csv, csv);
        Import();
        EXPECT_EQ(WinRanks(6), c.ranks) << c.name;
    }
}

TEST_F(OddsImport, CopiesTheTrioRecordAndSetsTheMarks) {
    SetUpRace(1);
    SetRunner(1, 0, Runner(1, "2020100001", "00001", "武豊"));
    day().OutData(1).RenzokuKijo[0] = 1;
    table_ = analysis::JockeyRecommendTable::FromText(
        text::ToCp932("#heading\r\n武豊,A,連続騎乗,◎,◎\r\n"));
    WriteO1({{"0015", "0011", "0012"}});
    files().WriteLines(paths_.o5, {O5Rec(kToday, kVenue, 10, {{1, "000300", 1}}).Line(),
                                   O5Rec(kToday, kVenue, kRaceNumber, {{2, "000045", 1}}).Line()});
    Import();
    EXPECT_EQ(day().RaceO5(1).Field(layout::head::kRaceNumber), "11");
    EXPECT_DOUBLE_EQ(Out().TrioFavouriteOdds, 4.5);
    EXPECT_EQ(Out().WinRecommend[0], model::kMarkUpgraded);
    EXPECT_EQ(Out().PlaceRecommend[0], model::kMarkUpgraded);
}

TEST_F(OddsImport, ACutRecordIsNoRecordAndAnUnreadableFileIsReported) {
    SetUpRace(1);
    const std::string whole = O1Rec(kToday, kVenue, kRaceNumber, {{"0020", "0011", "0012"}}).Line();
    files().WriteBytes(paths_.o1, whole.substr(0, 500));
    Import();
    EXPECT_DOUBLE_EQ(Out().WinOdds[0], -2.0);  // the file exists; the image stays blank

    fs::remove(paths_.o1);
    fs::create_directories(paths_.csv);  // a folder where the file should be
    EXPECT_FALSE(ImportOdds(day(), 1, table_, paths_).ok());
}

}  // namespace
}  // namespace quindle::testing
