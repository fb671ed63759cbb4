// The horse view: heading lines and every labelled line of the "馬情報" tab
// from a UM record, and the past-run table, detail panel and clipboard text.

#include "core/masterdata/horse_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/fixtures/loader_fixture.h"
#include "core/text/cp932.h"

namespace quindle::testing {
namespace {

namespace um = layout::um;
namespace se = layout::se;
namespace ra = layout::ra;
using masterdata::HorseView;
using masterdata::LineText;
using masterdata::MakeHorseView;
using masterdata::PastRun;
using text::Sj;
using text::ToUtf8;

std::string Utf8Line(const HorseView& v, std::string_view name) {
    return ToUtf8(LineText(v.info, name));
}

Rec Horse() {
    Rec r(layout::RecordType::UM);
    r.Put(um::kKey, "2019105123")
        .Put(um::kBirthDate, "20190412")
        .Put(um::kHorseName, text::PadRightFullWidth(Sj("テスト　ホース"), um::kHorseName.len))
        .PutNumber(um::kHorseSymbol, 4)
        .Put(um::kSex, "2")
        .Put(um::kBreed, "1")
        .Put(um::kCoat, "03")
        .Put(um::kTrainingCentre, "2")
        .Put(um::kTrainerShort, Sj("調教太郎"))
        .Put(um::kInvitingRegion, "")
        .Put(um::kBreeder, Sj("　牧場　一郎  "))
        .Put(um::kBreedingPlace, Sj("浦河町"))
        .Put(um::kOwner, Sj("馬主　花子"));
    return r;
}

TEST(HorseView, HeadingLines) {
    const HorseView v = MakeHorseView(Horse().Record(), {});
    EXPECT_EQ(ToUtf8(v.NameLabel),
              "テストホース [2019年04月12日生/(市)/牝/鹿毛/サラ/栗東/厩舎:調教太郎]");
    EXPECT_EQ(ToUtf8(v.NameLabel2),
              "　　　　　　　　　[  生産者:牧場一郎/産地:浦河町/馬主:馬主花子]");
    EXPECT_EQ(ToUtf8(v.UmameiKakosoLabel),
              ToUtf8(text::PadRightFullWidth(Sj("テスト　ホース"), 36)) + "(過去走データ数：0走)");
}

TEST(HorseView, EveryFinishCountLineReadsItsOwnBlock) {
    // Block at position p holds the counts p+1 .. p+6 (mod 1000), so a line
    // reading another block shows other numbers.
    struct Line {
        const char* name;
        const char* prefix;
        int pos;
    } const lines[] = {
        {"chakSogo", "総合:[1着]", 1107},         {"chakChuo", "中央:[1着]", 1125},
        {"TurfSt", "芝直:[1着]", 1143},           {"TurfRi", "芝右:[1着]", 1161},
        {"TurfLe", "芝左:[1着]", 1179},           {"DirtSt", "ダ直:[1着]", 1197},
        {"DirtRi", "ダ右:[1着]", 1215},           {"DirtLe", "ダ左:[1着]", 1233},
        {"Shogai", "障害:[1着]", 1251},           {"TurfRyo", "芝良:[1着]", 1269},
        {"TurfYa", "芝稍:[1着]", 1287},           {"TurfOmo", "芝重:[1着]", 1305},
        {"TurfFuryo", "芝不:[1着]", 1323},        {"DirtRyo", "ダ良:[1着]", 1341},
        {"DirtYa", "ダ稍:[1着]", 1359},           {"DirtOmo", "ダ重:[1着]", 1377},
        {"DirtFuryo", "ダ不:[1着]", 1395},        {"ShogaiRyo", "障良:[1着]", 1413},
        {"ShogaiYa", "障稍:[1着]", 1431},         {"ShogaiOmo", "障重:[1着]", 1449},
        {"ShogaiFuryo", "障不:[1着]", 1467},      {"chakH1600", "<～1600m>芝:[1着]", 1485},
        {"chakH2200", "<～2200m>芝:[1着]", 1503}, {"chakH2201", "<2201m～>芝:[1着]", 1521},
        {"chakD1600", "<～1600m>ダ:[1着]", 1539}, {"chakD2200", "<～2200m>ダ:[1着]", 1557},
        {"chakD2201", "<2201m～>ダ:[1着]", 1575},
    };
    Rec r = Horse();
    for (const Line& l : lines) {
        for (int i = 0; i < 6; ++i) r.PutNumber({l.pos + 3 * i, 3}, (l.pos + i + 1) % 1000);
    }
    const HorseView v = MakeHorseView(r.Record(), {});
    for (const Line& l : lines) {
        SCOPED_TRACE(l.name);
        // The two overall lines separate their counts by two full-width blanks.
        const std::string gap = l.pos < 1143 ? "　　" : "　";
        std::string want = l.prefix;
        const char* places[] = {"", "[2着]", "[3着]", "[4着]", "[5着]", "[6着～]"};
        for (int i = 0; i < 6; ++i) {
            if (i > 0) want += gap + places[i];
            want += text::Format("%6d", (l.pos + i + 1) % 1000);
        }
        EXPECT_EQ(Utf8Line(v, l.name), want);
    }
}

TEST(HorseView, RunningStyleAndPrizeLines) {
    Rec r = Horse();
    for (int s = 0; s < 4; ++s) r.PutNumber({1593 + 3 * s, 3}, s + 1);
    // Hundreds of yen; shown in thousands, the remainder dropped.
    const long long totals[] = {123456789, 5, 19, 0, 1000, 99};
    for (int j = 0; j < 6; ++j) r.PutNumber({1053 + 9 * j, 9}, totals[j]);
    const HorseView v = MakeHorseView(r.Record(), {});
    EXPECT_EQ(Utf8Line(v, "Ashishittsu"), "[逃]  1　　[先]  2　　[差]  3　　[追]  4");
    EXPECT_EQ(Utf8Line(v, "ShokinHeiti"),
              "平地本賞金:12345678千円　　平地付加賞金:       1千円　　平地拾得賞金:     100千円");
    EXPECT_EQ(Utf8Line(v, "ShokinShogai"),
              "障害本賞金:       0千円　　障害付加賞金:       0千円　　障害拾得賞金:       9千円");
}

PastRun RunOn(std::string_view date, int finish, std::string_view turfGoing) {
    Rec s = SeRec(date, "06", 11, 3);
    s.Put(se::kBracket, "2")
        .Put(se::kHorseName, text::PadRightFullWidth(Sj("テスト　ホース"), 36))
        .Put(se::kSex, "2")
        .PutNumber(se::kCarriedWeight, 550)
        .Put(se::kJockeyShort, Sj("騎手一"))
        .PutNumber(se::kBodyWeight, 0)
        .Put(se::kWeightChangeSign, " ")
        .PutNumber(se::kWeightChange, 0)
        .PutNumber(se::kFinish, finish)
        .PutNumber(se::kPassingOrder, finish)
        .Put(se::kTime, "1345")
        .PutNumber(se::kLast3F, 345)
        .PutNumber(se::kWinOdds, 35)
        .PutNumber(se::kWinPopularity, 1)
        .Put(se::kTimeBehind, "+005");
    for (int c = 1; c <= 4; ++c) s.PutNumber(se::kCorner(c), c);
    Rec a = RaRec(date, "06", 11);
    a.Put(ra::kRaceNameShort3, Sj("有馬"))
        .Put(ra::kGrade, "A")
        .PutNumber(ra::kPrize(1), 4000000)
        .PutNumber(ra::kDistance, 2500)
        .Put(ra::kTrack, "17")
        .Entered(16)
        .PutNumber(ra::kStarters, 16)
        .PutNumber(ra::kFinishers, 15)
        .Put(ra::kWeather, "1")
        .Put(ra::kTurfGoing, turfGoing)
        .Put(ra::kDirtGoing, "3");
    return {s.Record(), a.Record()};
}

TEST(HorseView, PastRunRowsAndDetail) {
    const std::vector<PastRun> runs = {RunOn("20241222", 1, "2"), RunOn("20241124", 4, " "),
                                       RunOn("20241027", 2, "0")};
    const HorseView v = MakeHorseView(Horse().Record(), runs);
    ASSERT_EQ(v.rows.size(), 3u);
    EXPECT_TRUE(ToUtf8(v.UmameiKakosoLabel).ends_with("(過去走データ数：3走)"));

    const auto& row1 = v.rows[0];
    const auto cell = [&](int c) { return ToUtf8(row1[static_cast<size_t>(c)]); };
    EXPECT_EQ(cell(0), "  1");
    EXPECT_EQ(cell(1), "2024/12/22");
    EXPECT_EQ(cell(2), "中山  ");
    EXPECT_EQ(cell(6), "有馬  ");  // as stored
    EXPECT_EQ(cell(12), "400000.0");
    EXPECT_EQ(cell(13), "2500");
    EXPECT_EQ(cell(14), "芝右");
    EXPECT_EQ(cell(18), "稍重");  // the turf going
    EXPECT_EQ(cell(24), "55.0");
    EXPECT_EQ(cell(30), "");      // body weight 0
    EXPECT_EQ(cell(31), "   0");  // blank sign, "  0"
    EXPECT_EQ(cell(32), " 1");
    EXPECT_EQ(cell(36), "");  // first three furlongs: no source
    EXPECT_EQ(cell(37), "34.5");
    EXPECT_EQ(cell(38), "1.34.5");
    EXPECT_EQ(cell(41), " 1");
    EXPECT_EQ(cell(43), "  3.5");
    // A dirt race (turf going blank or 0) shows the dirt going.
    EXPECT_EQ(ToUtf8(v.rows[1][18]), "重");
    EXPECT_EQ(ToUtf8(v.rows[2][18]), "重");

    const masterdata::PastRunDetail& d = v.details[1];
    EXPECT_EQ(ToUtf8(d.LabelUmaTitle), "テスト　ホース　　　　　(前2走)");
    EXPECT_EQ(ToUtf8(d.blockTitle), "テスト　ホース　　(前2走)");
    EXPECT_EQ(ToUtf8(d.Label3Dj12), "確定着順: 4");
    EXPECT_EQ(d.finishInk, analysis::Ink::Black);
    EXPECT_EQ(v.details[0].finishInk, analysis::Ink::Red);
    EXPECT_EQ(v.details[2].passingInk, analysis::Ink::Blue);
    EXPECT_NE(ToUtf8(d.Labeluma2).find("前半3F:     後半3F:34.5 走破ﾀｲﾑ:1.34.5 着差:+ 0秒("),
              std::string::npos);
    EXPECT_NE(ToUtf8(d.Labeluma2).find("ｺｰﾅｰ:[ 1- 2- 3- 4]"), std::string::npos);
}

TEST(HorseView, ClipboardTextHoldsTheHeadingAndEveryRowByTabs) {
    const HorseView v = MakeHorseView(Horse().Record(), {RunOn("20241222", 1, "1")});
    const std::string text = ToUtf8(masterdata::PastRunsClipboardText(v));
    const std::vector<std::string> lines = [&] {
        std::vector<std::string> out;
        for (size_t start = 0; start < text.size();) {
            const size_t end = text.find("\r\n", start);
            out.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return out;
    }();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], ToUtf8(v.NameLabel));
    EXPECT_TRUE(lines[2].starts_with("No\t年月日\t場所\t"));
    EXPECT_TRUE(lines[3].starts_with("  1\t2024/12/22\t"));
    EXPECT_EQ(std::count(lines[3].begin(), lines[3].end(), '\t'), 47);
}

TEST(HorseView, PastRunsFromTheHistoryFileNewestFirstWithTheirRaces) {
    ProgramFolderFixture folder;
    // A history holds the runs of its own horse only.
    PastRun older = RunOn("20241124", 4, "1");
    PastRun newer = RunOn("20241222", 1, "1");
    for (PastRun* run : {&older, &newer}) text::PutField(run->se, se::kPedigree, "2019105123");
    folder.WriteLines(folder.HistoryFile("2019105123"),
                      {older.se.substr(0, 553), newer.se.substr(0, 553)});
    folder.WriteLines(folder.DayFile("20241222", ".jvRA"), {newer.ra.substr(0, 1270)});
    std::vector<std::string> problems;
    const auto runs = masterdata::PastRunsFromHistory(folder.path(), "2019105123", 0, problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].se, newer.se);
    EXPECT_EQ(runs[0].ra, newer.ra);
    // The older race's day file is missing: its race key only.
    EXPECT_EQ(runs[1].ra.substr(11, 16), older.ra.substr(11, 16));
    EXPECT_EQ(runs[1].ra.substr(600, 20), std::string(20, ' '));
    // Before a date, as a day of that date shows them.
    const auto before =
        masterdata::PastRunsFromHistory(folder.path(), "2019105123", 20241222, problems);
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].se, older.se);

    EXPECT_TRUE(masterdata::PastRunsFromHistory(folder.path(), "2019100000", 0, problems).empty());
    EXPECT_TRUE(problems.empty());
}

}  // namespace
}  // namespace quindle::testing
