#include "core/analysis/past_rides.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fixtures/race_day_fixture.h"
#include "core/text/cp932.h"

namespace quindle::analysis {
namespace {

namespace head = store::layout::head;
namespace ra = store::layout::ra;
namespace se = store::layout::se;
using testing::kRaceNumber;
using testing::kToday;
using testing::kVenue;
using testing::RaRec;
using testing::Rec;
using testing::SeRec;
using text::Sj;
using text::ToUtf8;
using Anchor = TextRun::Anchor;

class PastRidesTest : public testing::RaceDayTest {
  protected:
    // Race 0, slot 0: today's jockey 01001; past run k ridden by `jockeys[k]`.
    void SetUpRunner(const std::vector<std::string>& jockeys) {
        SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(1));
        SetRunner(0, 0, SeRec(kToday, kVenue, kRaceNumber, 1).Put(se::kJockeyCode, "01001"));
        for (size_t k = 0; k < jockeys.size(); ++k) {
            SetPastRun(
                static_cast<int>(k), PastRa(),
                PastSe()
                    .Put(se::kJockeyCode, jockeys[k])
                    .Put(se::kJockeyShort, Sj(jockeys[k] == "01001" ? "今日騎手" : "他騎手")));
        }
    }
    static Rec PastRa() { return RaRec("20241222", "06", 3); }
    static Rec PastSe() { return SeRec("20241222", "06", 3, 1); }
    void SetPastRun(int k, const Rec& ra, const Rec& se) {
        day().PastRA(0, 0, k).Assign(ra.Line());
        day().PastSE(0, 0, k).Assign(se.Line());
    }
};

std::string Text(const TextRun& run) {
    return ToUtf8(run.text);
}

TEST_F(PastRidesTest, PastRunShowsThreeLinesWithFinishColourAndMargin) {
    SetUpRunner({"01001"});
    SetPastRun(0,
               PastRa()
                   .Entered(16)
                   .Put(ra::kTrack, "17")
                   .PutNumber(ra::kDistance, 1600)
                   .Put(ra::kConditionYoungest, "005"),
               PastSe()
                   .Put(se::kJockeyCode, "01001")
                   .Put(se::kJockeyShort, Sj("今日騎手"))
                   .PutNumber(se::kWinPopularity, 3)
                   .PutNumber(se::kFinish, 2)
                   .PutNumber(se::kCarriedWeight, 550)
                   .Put(se::kTimeBehind, "+005"));

    const PaintedCell cell = PastRideCell(day(), 0, 0, kPastFirstRunColumn);
    EXPECT_EQ(cell.fill, Fill::White);
    EXPECT_TRUE(cell.bottomLine);
    ASSERT_EQ(cell.lines.size(), 3u);
    ASSERT_EQ(cell.lines[0].runs.size(), 1u);
    EXPECT_EQ(Text(cell.lines[0].runs[0]), "241222中 1勝ｸﾗｽ");
    EXPECT_EQ(cell.lines[0].runs[0].points, 8);

    ASSERT_EQ(cell.lines[1].runs.size(), 2u);
    EXPECT_EQ(Text(cell.lines[1].runs[0]), "16ﾄ 芝1600  3人");
    const TextRun& finish = cell.lines[1].runs[1];
    EXPECT_EQ(Text(finish), " 2");
    EXPECT_EQ(finish.ink, Ink::Blue);
    EXPECT_TRUE(finish.bold);
    EXPECT_EQ(finish.anchor, Anchor::Right);
    EXPECT_EQ(finish.x, 15);

    ASSERT_EQ(cell.lines[2].runs.size(), 2u);
    EXPECT_EQ(Text(cell.lines[2].runs[0]), "今日騎手");
    EXPECT_EQ(cell.lines[2].runs[0].ink, Ink::Red);
    EXPECT_EQ(Text(cell.lines[2].runs[1]), "55.0 + 0.5");
    EXPECT_EQ(cell.lines[2].runs[1].anchor, Anchor::Left);
    EXPECT_EQ(cell.lines[2].runs[1].x, 50);
}

TEST_F(PastRidesTest, FinishAndMarginTexts) {
    SetUpRunner({"01001"});
    model::SeImage& pastSe = day().PastSE(0, 0, 0);
    const struct {
        const char* finish;
        const char* text;
        Ink ink;
    } finishes[] = {{"01", " 1", Ink::Red},
                    {"03", " 3", Ink::Blue},
                    {"04", " 4", Ink::Black},
                    {"00", "  ", Ink::Black},
                    {"  ", "  ", Ink::Black}};
    for (const auto& c : finishes) {
        pastSe.Put(se::kFinish, c.finish);
        const TextRun run = PastRunCell(day(), 0, 0, 0).lines[1].runs[1];
        EXPECT_EQ(Text(run), c.text) << c.finish;
        EXPECT_EQ(run.ink, c.ink) << c.finish;
    }
    const struct {
        const char* margin;
        const char* weight;
        const char* text;
    } margins[] = {{"-012", "570", "57.0 - 1.2"},
                   {"0000", "540", "54.0      "},
                   {"9999", "540", "54.0      "},
                   {" 999", "540", "54.0      "},
                   {"    ", "000", "         "}};
    for (const auto& c : margins) {
        pastSe.Put(se::kTimeBehind, c.margin);
        pastSe.Put(se::kCarriedWeight, c.weight);
        EXPECT_EQ(Text(PastRunCell(day(), 0, 0, 0).lines[2].runs[1]), c.text) << c.margin;
    }
}

TEST_F(PastRidesTest, TodaysJockeyIsRedInExactlyTheRunsHeRode) {
    // 乗り戻り: today's jockey rode runs 1 and 3 but not the most recent.
    SetUpRunner({"02002", "01001", "03003", "01001"});
    std::vector<Ink> inks;
    for (int k = 0; k < 5; ++k) {
        const PaintedCell cell = PastRideCell(day(), 0, 0, kPastFirstRunColumn + k);
        if (cell.lines.empty()) continue;
        inks.push_back(cell.lines[2].runs[0].ink);
    }
    EXPECT_EQ(inks, (std::vector<Ink>{Ink::Black, Ink::Red, Ink::Black, Ink::Red}));
}

TEST_F(PastRidesTest, ColumnsBeyondTheRunsAndRunsWithoutARaceNumber) {
    SetUpRunner({"01001"});
    // Past run 1: only a year, no race number: only the bottom line.
    day().PastRA(0, 0, 1).Put(head::kYear, "2024");
    const PaintedCell noNumber = PastRunCell(day(), 0, 0, 1);
    EXPECT_TRUE(noNumber.lines.empty());
    EXPECT_TRUE(noNumber.bottomLine);
    // Past run 2 and on: nothing at all, not even the bottom line.
    for (int k = 2; k < model::kPastRuns; ++k) {
        const PaintedCell empty = PastRunCell(day(), 0, 0, k);
        EXPECT_TRUE(empty.lines.empty()) << k;
        EXPECT_FALSE(empty.bottomLine) << k;
    }
}

TEST_F(PastRidesTest, FixedColumnsOfARunner) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(1));
    SetRunner(0, 0,
              SeRec(kToday, kVenue, kRaceNumber, 9)
                  .PutNumber(se::kBracket, 5)
                  .Put(se::kHorseName, Sj("　サクラ　ハナ"))
                  .Put(se::kSex, "1")
                  .PutNumber(se::kAge, 3)
                  .Put(se::kJockeyShort, Sj("武豊"))
                  .PutNumber(se::kCarriedWeight, 565)
                  .PutNumber(se::kFinish, 1)
                  .PutNumber(se::kWinPopularity, 2)
                  .PutNumber(se::kWinOdds, 45));
    model::TOutData& out = day().OutData(0);
    out.Tracked[0] = 1;
    out.ClassMove[0] = model::kClassDown;
    out.RenzokuKijo[0] = 1;

    const PastRideRow row = PastRideRowOf(day(), 0, 0);
    const PaintedCell& bracket = row[kPastBracketColumn];
    EXPECT_EQ(bracket.fill, Fill::Bracket5);
    EXPECT_EQ(Text(bracket.lines[0].runs[0]), " 5");
    EXPECT_EQ(bracket.lines[0].runs[0].ink, Ink::Black);  // black on brackets 1 and 5
    EXPECT_EQ(bracket.lines[0].runs[0].points, 13);

    EXPECT_EQ(row[kPastHorseColumn].fill, Fill::Tracked);
    EXPECT_EQ(Text(row[kPastHorseColumn].lines[0].runs[0]), " 9");

    const PaintedCell& name = row[kPastNameColumn];
    EXPECT_EQ(name.classBox, Fill::ClassDown);
    ASSERT_EQ(name.lines.size(), 3u);
    EXPECT_EQ(Text(name.lines[0].runs[0]), "サクラハナ");
    EXPECT_TRUE(name.lines[0].runs[0].bold);
    EXPECT_EQ(Text(name.lines[1].runs[0]), "牡 3");
    EXPECT_EQ(Text(name.lines[1].runs[1]), "連続騎乗");
    EXPECT_EQ(name.lines[1].runs[1].ink, Ink::Blue);
    EXPECT_EQ(Text(name.lines[2].runs[0]), "武豊     56.5kg ");

    const PaintedCell& result = row[kPastResultColumn];
    EXPECT_EQ(result.indent, 5);
    EXPECT_EQ(Text(result.lines[0].runs[0]), " 1着");
    EXPECT_EQ(result.lines[0].runs[0].ink, Ink::Red);
    EXPECT_EQ(Text(result.lines[0].runs[1]), " 2人");
    EXPECT_EQ(result.lines[0].runs[1].ink, Ink::Blue);
    EXPECT_EQ(Text(result.lines[1].runs[0]), "単ｵｯｽﾞ  4.5");
    EXPECT_EQ(result.lines[1].nudge, 6);
}

TEST_F(PastRidesTest, BlankRunnerShowsBlanksAndNoPattern) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(1));
    const PastRideRow row = PastRideRowOf(day(), 0, 0);
    EXPECT_EQ(row[kPastBracketColumn].fill, Fill::White);
    EXPECT_EQ(Text(row[kPastBracketColumn].lines[0].runs[0]), " ");
    EXPECT_EQ(row[kPastHorseColumn].fill, Fill::Tooltip);
    EXPECT_EQ(row[kPastNameColumn].classBox, Fill::Tooltip);
    EXPECT_EQ(Text(row[kPastNameColumn].lines[1].runs[1]), " ");
    EXPECT_EQ(Text(row[kPastResultColumn].lines[0].runs[0]), " ");
    EXPECT_EQ(Text(row[kPastResultColumn].lines[1].runs[0]), "     ");
    EXPECT_FALSE(row[kPastFirstRunColumn].bottomLine);
    EXPECT_EQ(PastRideRows(day(), 0).size(), 1u);
}

TEST(PastRideHeadings, FixedColumnsThenTwentyRuns) {
    const auto& h = PastRideHeadings();
    EXPECT_EQ(ToUtf8(h[0]), "枠");
    EXPECT_EQ(ToUtf8(h[3]), "結果");
    EXPECT_EQ(h[4], "");
    EXPECT_EQ(ToUtf8(h[6]), "前走");
    EXPECT_EQ(ToUtf8(h[7]), "前走2");
    EXPECT_EQ(ToUtf8(h[25]), "前走20");
}

}  // namespace
}  // namespace quindle::analysis
