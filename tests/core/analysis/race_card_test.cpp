#include "core/analysis/race_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/analysis/race_card_header.h"
#include "core/fixtures/race_day_fixture.h"
#include "core/text/cp932.h"

namespace quindle::analysis {
namespace {

namespace ra = store::layout::ra;
namespace se = store::layout::se;
using testing::kRaceNumber;
using testing::kToday;
using testing::kVenue;
using testing::RaRec;
using testing::SeRec;
using text::Sj;
using text::ToUtf8;

class RaceCardTest : public testing::RaceDayTest {};

// The standard cells of a row as UTF-8, for readable failures.
std::vector<std::string> Utf8(const CardRow& row) {
    std::vector<std::string> out;
    for (const auto& cell : StandardCells(row)) out.push_back(ToUtf8(cell));
    return out;
}

TEST_F(RaceCardTest, CellsOfARunnerWithEveryMarkAndResult) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(1));
    SetRunner(0, 0,
              SeRec(kToday, kVenue, kRaceNumber, 5)
                  .PutNumber(se::kBracket, 3)
                  .Put(se::kHorseName, Sj("アイウエオ"))
                  .Put(se::kSex, "2")
                  .PutNumber(se::kAge, 4)
                  .Put(se::kJockeyShort, Sj("武豊"))
                  .PutNumber(se::kFinish, 1)
                  .PutNumber(se::kWinPopularity, 12)
                  .PutNumber(se::kWinOdds, 123));
    model::TOutData& out = day().OutData(0);
    out.PrevJockeyName[0] = Sj("ルメール");
    out.PastRunCount[0] = 12;
    out.TenNori[0] = 1;
    out.GetMark[0] = 1;
    out.GiveMark[0] = 1;
    out.WinRecommend[0] = model::kMarkRecommend;
    out.PlaceRecommend[0] = model::kMarkUpgraded;
    out.WinOdds[0] = 3.46;
    out.WinPopRank[0] = 2;
    out.PlaceOddsLow[0] = 1.2;
    out.PlacePopRank[0] = 11;

    const std::vector<CardRow> rows = CardRows(day(), 0);
    ASSERT_EQ(rows.size(), 1u);
    const std::vector<std::string> expected{
        " 3",    " 5",       "アイウエオ" + std::string(26, ' '),
        "牝 4",  "武豊    ", "ルメール",
        " 12",   "テン乗り", "○",
        "×",     "◎",        "☆",
        "",      "  3.5",    " 2",
        "  1.2", "11",       " 1",
        "12",    " 12.3",
    };
    EXPECT_EQ(Utf8(rows[0]), expected);
}

TEST_F(RaceCardTest, OptionalColumnsCarryWeightsTrainerAndPlaceOddsRange) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(2));
    SetRunner(0, 0,
              SeRec(kToday, kVenue, kRaceNumber, 1)
                  .PutNumber(se::kCarriedWeight, 550)
                  .PutNumber(se::kBodyWeight, 480)
                  .Put(se::kWeightChangeSign, "-")
                  .PutNumber(se::kWeightChange, 12)
                  .Put(se::kTrainerShort, Sj("国枝栄  ")));
    SetRunner(0, 1, SeRec(kToday, kVenue, kRaceNumber, 2));
    model::TOutData& out = day().OutData(0);
    out.PlaceOddsLow[0] = 1.2;
    out.PlaceOddsHigh[0] = 1.64;
    const std::vector<CardRow> rows = CardRows(day(), 0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(ToUtf8(rows[0][kCardCarriedWeight]), "55.0");
    EXPECT_EQ(ToUtf8(rows[0][kCardBodyWeight]), "480(-12)");
    EXPECT_EQ(ToUtf8(rows[0][kCardTrainer]), "国枝栄  ");
    EXPECT_EQ(ToUtf8(rows[0][kCardPlaceRange]), "1.2-1.6");
    // A runner without weights or odds shows empty cells.
    EXPECT_EQ(rows[1][kCardBodyWeight], "");
    EXPECT_EQ(rows[1][kCardPlaceRange], "");
    // The clipboard and the terminal keep the standard columns only.
    EXPECT_EQ(StandardCells(rows[0]).size(), static_cast<size_t>(kCardStandardColumns));
    EXPECT_EQ(kCardStandardColumns, kCardFinalOdds + 1);
}

TEST_F(RaceCardTest, BodyWeightAndItsChange) {
    const struct {
        const char* weight;
        const char* sign;
        const char* change;
        const char* shown;
    } cases[] = {
        {"480", "+", "004", "480(+4)"}, {"480", " ", "000", "480(±0)"}, {"480", " ", "   ", "480"},
        {"480", " ", "999", "480"},     {"999", " ", "   ", ""},        {"000", " ", "000", ""},
        {"   ", " ", "   ", ""},
    };
    for (const auto& c : cases) {
        SetRunner(0, 0,
                  SeRec(kToday, kVenue, kRaceNumber, 1)
                      .Put(se::kBodyWeight, c.weight)
                      .Put(se::kWeightChangeSign, c.sign)
                      .Put(se::kWeightChange, c.change));
        EXPECT_EQ(ToUtf8(BodyWeightText(day().RunnerSE(0, 0))), c.shown) << c.weight << c.change;
    }
    EXPECT_EQ(OddsRangeText(0.0, 1.6), "");
    EXPECT_EQ(OddsRangeText(2.0, 0.0), "2.0");
    EXPECT_EQ(OptionalCardColumn("馬体重"), kCardBodyWeight);
    EXPECT_EQ(OptionalCardColumn("馬名"), std::nullopt);
}

TEST_F(RaceCardTest, BlankSlotShowsZerosBlanksAndEmptyRanks) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(2));
    day().OutData(0).WinOdds[1] = model::kOddsBlank;
    day().OutData(0).PlaceOddsLow[1] = model::kOddsWithdrawn;
    const std::vector<CardRow> rows = CardRows(day(), 0);
    ASSERT_EQ(rows.size(), 2u);
    const std::vector<std::string> expected{
        " 0",
        " 0",
        std::string(36, ' '),
        " 0",
        std::string(8, ' '),
        "",
        "  0",
        "",
        "",
        "",
        "",
        "",
        "",
        "     ",
        "　",
        "     ",
        "　",
        "　",
        "　",
        "     ",
    };
    EXPECT_EQ(Utf8(rows[1]), expected);
}

TEST_F(RaceCardTest, RowCountFollowsTheEnteredRunnersWithinEighteen) {
    const struct {
        const char* entered;
        size_t rows;
    } cases[] = {{"10", 10}, {"  ", 0}, {"18", 18}, {"99", 18}};
    for (const auto& c : cases) {
        day().RaceRA(4).Put(ra::kEntered, c.entered);
        EXPECT_EQ(CardRows(day(), 4).size(), c.rows) << c.entered;
    }
}

TEST(CardTexts, FinalOddsMarksOddsAndRanks) {
    const struct {
        const char* field;
        const char* text;
    } finals[] = {{"0123", " 12.3"}, {"1234", "123.4"}, {"0000", "     "},
                  {"    ", "     "}, {"----", "     "}, {"  05", "  0.5"}};
    for (const auto& c : finals) EXPECT_EQ(FinalOddsText(c.field), c.text) << c.field;

    EXPECT_EQ(ToUtf8(MarkText(0)), "");
    EXPECT_EQ(ToUtf8(MarkText(1)), "◎");
    EXPECT_EQ(ToUtf8(MarkText(2)), "☆");
    EXPECT_EQ(ToUtf8(MarkText(3)), "");
    EXPECT_EQ(OddsText(0.0), "     ");
    EXPECT_EQ(OddsText(-1.0), "     ");
    EXPECT_EQ(OddsText(123.45), "123.5");
    EXPECT_EQ(ToUtf8(RankText(0)), "　");
    EXPECT_EQ(RankText(7), " 7");
}

// --- Sort ---------------------------------------------------------------------------

CardRow Row(const std::string& horse, const std::string& name, int column = 0,
            const std::string& key = {}) {
    CardRow row;
    row[kCardHorse] = horse;
    row[kCardName] = Sj(name);
    if (column != 0) row[static_cast<size_t>(column)] = Sj(key);
    return row;
}

std::vector<std::string> Column(const std::vector<CardRow>& rows, int column) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(ToUtf8(r[static_cast<size_t>(column)]));
    return out;
}

TEST(CardSort, CellsCompareAsCp932BytesWithAPrefixFirst) {
    EXPECT_LT(CompareCells(Sj("☆"), Sj("◎")), 0);  // 0x8199 before 0x819D
    EXPECT_LT(CompareCells("", Sj("☆")), 0);
    EXPECT_LT(CompareCells(" 9", "10"), 0);
    EXPECT_LT(CompareCells("18", Sj("　")), 0);  // unranked last
    EXPECT_LT(CompareCells("ab", "abc"), 0);
    EXPECT_EQ(CompareCells("ab", "ab"), 0);
    // Pattern texts order as empty, テン乗り, 乗り戻り, 連続騎乗.
    std::vector<std::string> patterns{Sj("連続騎乗"), Sj("乗り戻り"), "", Sj("テン乗り")};
    std::sort(patterns.begin(), patterns.end(),
              [](const std::string& a, const std::string& b) { return CompareCells(a, b) < 0; });
    EXPECT_EQ(patterns,
              (std::vector<std::string>{"", Sj("テン乗り"), Sj("乗り戻り"), Sj("連続騎乗")}));
}

TEST(CardSort, StateFlipsPerColumnAndIgnoresColumnsThatDoNotSort) {
    CardSortState state;
    for (int c = 0; c < CardSortState::kFlagColumns; ++c) EXPECT_EQ(state.Flag(c), 1);
    EXPECT_TRUE(state.Click(10));
    EXPECT_FALSE(state.Descending());
    EXPECT_TRUE(state.Click(14));
    EXPECT_FALSE(state.Descending());
    EXPECT_TRUE(state.Click(10));
    EXPECT_EQ(state.Column(), 10);
    EXPECT_TRUE(state.Descending());
    for (int c : {0, 2, 3, 4, 5, 6, 12, 13, 15, 19, 20, -1}) {
        EXPECT_FALSE(state.Click(c)) << c;
        EXPECT_EQ(state.Column(), 10);
    }
    state.Reset();
    EXPECT_EQ(state.Flag(10), 1);
    EXPECT_EQ(state.Flag(14), 1);
}

TEST(CardSort, HorseNumberUpThenDownWithBlankSlotsByName) {
    std::vector<CardRow> rows{Row(" 3", "ウ"), Row(" 0", "ク"), Row("12", "ア"),
                              Row(" 1", "イ"), Row(" 0", "カ"), Row(" 2", "エ")};
    CardSortState state;
    state.Click(kCardHorse);
    EXPECT_EQ(CardSortOrder(rows, state), (std::vector<int>{4, 1, 3, 5, 0, 2}));
    SortCardRows(rows, state);
    EXPECT_EQ(Column(rows, kCardHorse),
              (std::vector<std::string>{" 0", " 0", " 1", " 2", " 3", "12"}));
    EXPECT_EQ(Column(rows, kCardName)[0], "カ");
    EXPECT_EQ(Column(rows, kCardName)[1], "ク");
    EXPECT_EQ(Column(rows, kCardName)[5], "ア");  // whole rows move

    state.Click(kCardHorse);
    SortCardRows(rows, state);
    EXPECT_EQ(Column(rows, kCardHorse),
              (std::vector<std::string>{"12", " 3", " 2", " 1", " 0", " 0"}));
    EXPECT_EQ(Column(rows, kCardName)[4], "カ");  // ties still by name, ascending
}

TEST(CardSort, ColumnClicksOrderMarksRanksAndTiesByHorseNumber) {
    const auto rank = [](const char* horse, const char* r) {
        return Row(horse, "x", kCardWinRank, r);
    };
    const auto mark = [](const char* horse, const char* m) {
        return Row(horse, "x", kCardWinMark, m);
    };
    const struct {
        std::vector<CardRow> rows;
        int column;
        int clicks;
        std::vector<std::string> keys;
        std::vector<std::string> horses;
    } cases[] = {
        {{rank(" 1", "　"), rank(" 2", " 3"), rank(" 3", " 1"), rank(" 4", "10"), rank(" 5", " 2")},
         kCardWinRank,
         1,
         {" 1", " 2", " 3", "10", "　"},
         {" 3", " 5", " 2", " 4", " 1"}},
        {{mark(" 1", ""), mark(" 2", "◎"), mark(" 3", "☆"), mark(" 4", "◎"), mark(" 5", ""),
          mark(" 6", "☆"), mark(" 7", "◎")},
         kCardWinMark,
         2,
         {"◎", "◎", "◎", "☆", "☆", "", ""},
         {" 2", " 4", " 7", " 3", " 6", " 1", " 5"}},
        {{mark(" 1", ""), mark(" 2", "◎"), mark(" 3", "☆"), mark(" 4", "◎")},
         kCardWinMark,
         1,
         {"", "☆", "◎", "◎"},
         {" 1", " 3", " 2", " 4"}},
    };
    for (const auto& c : cases) {
        std::vector<CardRow> rows = c.rows;
        CardSortState state;
        for (int i = 0; i < c.clicks; ++i) state.Click(c.column);
        SortCardRows(rows, state);
        EXPECT_EQ(Column(rows, c.column), c.keys) << c.column << " x" << c.clicks;
        EXPECT_EQ(Column(rows, kCardHorse), c.horses) << c.column << " x" << c.clicks;
    }
}

TEST(CardSort, EverySortableColumnSortsAnyRowsIntoOrder) {
    // Rows with repeated keys in a scrambled order; after each click the key
    // column is ordered and every row is still whole.
    std::vector<CardRow> rows;
    for (int i = 0; i < 18; ++i) {
        CardRow r;
        for (int c = 0; c < kCardColumns; ++c) {
            r[static_cast<size_t>(c)] = text::Format("%2d", (i * 7 + c * 5) % 6);
        }
        r[kCardHorse] = text::Format("%2d", (i * 11) % 18 + 1);
        r[kCardName] = "n" + r[kCardHorse];
        rows.push_back(r);
    }
    CardSortState state;
    for (int column : {1, 7, 8, 9, 10, 11, 14, 16, 17, 18, 14, 1}) {
        state.Click(column);
        SortCardRows(rows, state);
        for (size_t i = 1; i < rows.size(); ++i) {
            const int c = CompareCells(rows[i - 1][static_cast<size_t>(column)],
                                       rows[i][static_cast<size_t>(column)]);
            EXPECT_TRUE(state.Descending() ? c >= 0 : c <= 0) << column << " row " << i;
            if (c == 0 && column != kCardHorse) {
                EXPECT_LE(CompareCells(rows[i - 1][kCardHorse], rows[i][kCardHorse]), 0);
            }
        }
        for (const auto& r : rows) EXPECT_EQ(r[kCardName], "n" + r[kCardHorse]);
    }
}

// --- Colours ------------------------------------------------------------------------

TEST(CardColours, RolesOfEachColumn) {
    model::TOutData out{};
    out.ClassMove[4] = model::kClassUp;
    CardRow row;
    row.fill("");
    row[kCardBracket] = " 7";
    row[kCardHorse] = " 5";
    row[kCardWinRank] = " 1";
    row[kCardPlaceRank] = Sj("　");
    row[kCardFinish] = " 3";
    row[kCardPopularity] = "12";
    row[kCardWinMark] = Sj("◎");
    const struct {
        int column;
        CellStyle style;
    } cases[] = {
        {kCardBracket, {Fill::Bracket7, Ink::Default, false, Align::Centre}},
        {kCardHorse, {Fill::Tooltip, Ink::Default, false, Align::Centre}},
        {kCardName, {Fill::White, Ink::Default, false, Align::Left}},
        {kCardRunCount, {Fill::ClassUp, Ink::Default, false, Align::Centre}},
        {kCardPattern, {Fill::White, Ink::Default, false, Align::Centre}},
        {kCardSpacer, {Fill::White, Ink::Black, true, Align::Centre}},
        // ◎ and ☆ in bold red; an empty mark cell keeps the default ink.
        {kCardWinMark, {Fill::White, Ink::Red, true, Align::Centre}},
        {kCardPlaceMark, {Fill::White, Ink::Default, true, Align::Centre}},
        {kCardGet, {Fill::White, Ink::Default, false, Align::Centre}},
        {kCardWinOdds, {Fill::Odds, Ink::Default, false, Align::Centre}},
        {kCardWinRank, {Fill::Odds, Ink::Red, true, Align::Centre}},
        {kCardPlaceOdds, {Fill::Odds, Ink::Default, false, Align::Centre}},
        {kCardPlaceRank, {Fill::Odds, Ink::Black, true, Align::Centre}},
        {kCardFinish, {Fill::Result, Ink::Blue, true, Align::Centre}},
        {kCardPopularity, {Fill::Result, Ink::Black, true, Align::Centre}},
        {kCardFinalOdds, {Fill::Result, Ink::Default, false, Align::Centre}},
    };
    for (const auto& c : cases) EXPECT_EQ(CardCellStyle(out, row, c.column), c.style) << c.column;
    EXPECT_EQ(CardHeadingStyle(kCardWinRank).fill, Fill::Heading);
}

TEST(CardColours, RunCountColourFollowsTheHorseNumberOfTheRow) {
    model::TOutData out{};
    out.ClassMove[0] = model::kClassSame;
    out.ClassMove[1] = model::kClassUp;
    out.ClassMove[2] = model::kClassDown;
    out.ClassMove[17] = model::kClassSame;
    const struct {
        const char* horse;
        Fill fill;
    } cases[] = {{" 1", Fill::SameClass}, {" 2", Fill::ClassUp},   {" 3", Fill::ClassDown},
                 {" 4", Fill::White},     {"18", Fill::SameClass}, {" 0", Fill::White},
                 {"19", Fill::White},     {"", Fill::White}};
    for (const auto& c : cases) EXPECT_EQ(ClassMoveFillByHorse(out, c.horse), c.fill) << c.horse;
}

TEST(CardColours, BracketFillsAndColourValues) {
    for (int b = 1; b <= 8; ++b) {
        EXPECT_EQ(static_cast<int>(BracketFill(b)), static_cast<int>(Fill::Bracket1) + b - 1);
    }
    EXPECT_EQ(BracketFill(0), Fill::White);
    EXPECT_EQ(BracketFill(9), Fill::White);
    EXPECT_EQ(FillColour(Fill::Bracket7), (Rgb{255, 128, 0}));
    EXPECT_EQ(FillColour(Fill::SameClass), (Rgb{255, 119, 119}));
    EXPECT_EQ(FillColour(Fill::ClassUp), (Rgb{166, 202, 240}));
    EXPECT_EQ(FillColour(Fill::Odds), (Rgb{255, 255, 166}));
    EXPECT_EQ(FillColour(Fill::Result), (Rgb{162, 255, 255}));
    EXPECT_EQ(FillColour(Fill::Heading), (Rgb{192, 192, 192}));
    EXPECT_FALSE(FillColour(Fill::Tooltip).has_value());
    EXPECT_EQ(PlaceInk(1), Ink::Red);
    EXPECT_EQ(PlaceInk(3), Ink::Blue);
    EXPECT_EQ(PlaceInk(4), Ink::Black);
    EXPECT_EQ(PlaceInk(0), Ink::Black);
}

TEST_F(RaceCardTest, SortedRowsKeepTheirRunCountColour) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber).Entered(3));
    for (int s = 0; s < 3; ++s) SetRunner(0, s, SeRec(kToday, kVenue, kRaceNumber, s + 1));
    day().OutData(0).ClassMove[0] = model::kClassDown;
    std::vector<CardRow> rows = CardRows(day(), 0);
    CardSortState state;
    state.Click(kCardHorse);
    state.Click(kCardHorse);  // descending: horse 1 last
    SortCardRows(rows, state);
    EXPECT_EQ(rows[2][kCardHorse], " 1");
    EXPECT_EQ(CardCellStyle(day().OutData(0), rows[2], kCardRunCount).fill, Fill::ClassDown);
    EXPECT_EQ(CardCellStyle(day().OutData(0), rows[0], kCardRunCount).fill, Fill::White);
}

// --- Header ----------------------------------------------------------------------------

TEST_F(RaceCardTest, HeaderTextsOfARace) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber)
                   .Put(ra::kWeekday, "1")
                   .Put(ra::kPostTime, "1545")
                   .Put(ra::kWeather, "1")
                   .Put(ra::kTurfGoing, "2")
                   .Put(ra::kDirtGoing, "3")
                   .Put(ra::kGradeEdition, "065")
                   .Put(ra::kRaceName, Sj("有馬記念"))
                   .Entered(16)
                   .Put(ra::kFinishers, "16")
                   .Put(ra::kDistance, "2500")
                   .Put(ra::kTrack, "17")
                   .Put(ra::kCourseDivision, "A ")
                   .Put(ra::kGrade, "A")
                   .Put(ra::kRaceType, "13")
                   .Put(ra::kRaceSymbol, "000")
                   .Put(ra::kWeightType, "4")
                   .Put(ra::kCondition3yo, "999")
                   .Put(ra::kConditionYoungest, "999")
                   .PutNumber(ra::kPrize(1), 40000)
                   .PutNumber(ra::kPrize(2), 16000)
                   .PutNumber(ra::kAddedPrize(1), 512));
    day().RaceO1(0).Put(store::layout::o1::kAnnounced, "01051540");

    const RaceHeader h = RaceHeaderOf(day(), 0);
    EXPECT_EQ(ToUtf8(h.bashoLabel), "中山");
    EXPECT_EQ(h.raceLabel, "11");
    EXPECT_TRUE(h.turfPanel);
    EXPECT_EQ(ToUtf8(h.label1),
              "2025年01月05日(土)中山01回01日11R   15.45発走  晴　芝:稍重　ダ:重");
    EXPECT_EQ(ToUtf8(h.label2), "第65回 有馬記念" + std::string(52, ' '));
    EXPECT_EQ(ToUtf8(h.label3), "16頭[入線:16頭] 2500ﾒｰﾄﾙ 芝 右回り(A) G1    サラ系３歳以上　 " +
                                    std::string(ToUtf8(Sj("　　　　　　　　　　　　"))));
    EXPECT_EQ(ToUtf8(h.label4), "定量 3歳上オープン");
    const std::string blank8(8, ' ');
    EXPECT_EQ(ToUtf8(h.label6), "【本 賞 金】1着:   40000/2着:   16000/3着:" + blank8 +
                                    "/4着:" + blank8 + "/5着:" + blank8);
    EXPECT_EQ(ToUtf8(h.label7), "【付加賞金】1着:     512/2着:" + blank8 + "/3着:" + blank8 +
                                    "　　　　　　　　(単位：百円)");
    EXPECT_EQ(h.tfwTimeLabel, "15:40");
    EXPECT_EQ(h.CardHeading()[3], h.label4);
}

// The announcement time is set for interim odds only: final odds (zeros or
// blanks) and a race without odds show no time, never "00:00" or " : ".
TEST_F(RaceCardTest, OddsTimeOnlyForInterimOdds) {
    SetRace(0, RaRec(kToday, kVenue, kRaceNumber));
    const struct {
        const char* announced;  // empty: no O1 record
        const char* shown;
    } cases[] = {{"01051540", "15:40"}, {"00000000", ""}, {"        ", ""}, {"", ""}};
    for (const auto& c : cases) {
        day().RaceO1(0).Blank();
        if (*c.announced != '\0') {
            day().RaceO1(0).Assign(
                testing::O1Rec(kToday, kVenue, kRaceNumber, {}, c.announced).Line());
        }
        EXPECT_EQ(RaceHeaderOf(day(), 0).tfwTimeLabel, c.shown) << '"' << c.announced << '"';
    }
}

TEST_F(RaceCardTest, HeaderWithoutEditionAndPanelByTrack) {
    const struct {
        const char* track;
        bool turf;
    } cases[] = {{"10", true},  {"17", true},  {"22", true},
                 {"23", false}, {"51", false}, {"  ", false}};
    for (const auto& c : cases) {
        SetRace(
            0,
            RaRec(kToday, kVenue, kRaceNumber).Put(ra::kTrack, c.track).Put(ra::kRaceName, "ABC"));
        const RaceHeader h = RaceHeaderOf(day(), 0);
        EXPECT_EQ(h.turfPanel, c.turf) << c.track;
        EXPECT_EQ(h.label2, "ABC" + std::string(57, ' '));
    }
}

}  // namespace
}  // namespace quindle::analysis
