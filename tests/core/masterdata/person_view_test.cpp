// The jockey and trainer views: heading and tooltip, first rides and wins,
// graded wins and every line of a results tab.

#include "core/masterdata/person_view.h"

#include <gtest/gtest.h>

#include <string>

#include "core/fixtures/loader_fixture.h"
#include "core/text/cp932.h"

namespace quindle::testing {
namespace {

namespace ks = layout::ks;
namespace ch = layout::ch;
using masterdata::LineText;
using masterdata::PersonView;
using text::Sj;
using text::ToUtf8;

std::string Utf8Line(const std::vector<masterdata::ViewItem>& items, std::string_view name) {
    return ToUtf8(LineText(items, name));
}

// A race reference at `pos`: date, venue, meeting, day, race, starters.
void PutRace(Rec& r, int pos, std::string_view ymd, std::string_view venue, int starters) {
    r.Put({pos, 8}, ymd)
        .Put({pos + 8, 2}, venue)
        .Put({pos + 10, 6}, "030411")
        .PutNumber({pos + 16, 2}, starters);
}

Rec Jockey() {
    Rec r(layout::RecordType::KS);
    r.Put(ks::kKey, "01155")
        .Put(ks::kLicenceDate, "20100301")
        .Put(ks::kBirthDate, "19910522")
        .Put(ks::kName, text::PadRightFullWidth(Sj("騎手　一郎"), 34))
        .Put(ks::kNameKana, Sj("ｷｼｭ ｲﾁﾛｳ                ABCDEF"))
        .Put(ks::kSex, "1")
        .Put(ks::kQualification, "2")
        .Put(ks::kApprentice, "1")
        .Put(ks::kTrainingCentre, "1")
        .Put(ks::kStableTrainerShort, Sj("調教師一"));
    // First flat ride and win; the jump ride's year is "0000", no jump win.
    PutRace(r, 265, "20100306", "06", 16);
    r.Put({265 + 28, 36}, text::PadRightFullWidth(Sj("初騎乗　馬"), 36)).Put({265 + 64, 2}, "05");
    r.Put({332, 4}, "0000");
    PutRace(r, 399, "20100410", "05", 12);
    r.Put({399 + 28, 36}, text::PadRightFullWidth(Sj("初勝利馬"), 36));
    PutRace(r, 527, "20241222", "06", 0);
    r.Put({527 + 108, 6}, Sj("有馬")).Put({527 + 114, 1}, "A").Put({527 + 115, 2}, "16");
    r.Put({527 + 127, 36}, text::PadRightFullWidth(Sj("重賞　馬"), 36));
    return r;
}

TEST(PersonView, JockeyHeadingFirstRidesAndGradedWins) {
    const PersonView v = masterdata::MakeJockeyView(Jockey().Record());
    EXPECT_EQ(ToUtf8(v.NameLabel),
              "騎手一郎 [1991年05月22日生/男/美浦/資格:平地/見習:1kg減(☆)/厩舎:調教師一/ "
              "初免許:2010年03月01日]");
    EXPECT_EQ(ToUtf8(v.tooltip), "ｷｼｭ ｲﾁﾛｳABCDEF");
    EXPECT_EQ(Utf8Line(v.firstRides, "FirstRideLabel"),
              "【初騎乗/平地】2010年03月06日中山  03回04日11R/16頭/初騎乗馬/ 5着");
    EXPECT_EQ(Utf8Line(v.firstRides, "FirstRideLabel2"), "【初騎乗/障害】");
    EXPECT_EQ(Utf8Line(v.firstRides, "FirstVLabel"),
              "【初勝利/平地】2010年04月10日東京  03回04日11R/12頭/" +
                  ToUtf8(text::PadRightFullWidth(Sj("初勝利馬"), 36)));
    EXPECT_EQ(Utf8Line(v.firstRides, "FirstVLabel2"), "【初勝利/障害】");
    EXPECT_EQ(Utf8Line(v.gradedWins, "LatestVLabel1"),
              "2024年12月22日中山  03回04日11R/有馬  /G1   /16頭/重賞馬");
    EXPECT_EQ(Utf8Line(v.gradedWins, "LatestVLabel2"), "－");
    EXPECT_EQ(Utf8Line(v.gradedWins, "LatestVLabel3"), "－");
}

TEST(PersonView, EveryResultsLineReadsItsOwnCounts) {
    struct Line {
        const char* name;
        const char* prefix;
        int offset;
    } const lines[] = {
        {"chakHeiti", "平地着回数:[1着]", 44},      {"chakShogai", "障害着回数:[1着]", 80},
        {"chakHSapporo", "<札幌>平地:[1着]", 116},  {"chakSSapporo", "<札幌>障害:[1着]", 152},
        {"chakHHakodate", "<函館>平地:[1着]", 188}, {"chakSHakodate", "<函館>障害:[1着]", 224},
        {"chakHFukusima", "<福島>平地:[1着]", 260}, {"chakSFukusima", "<福島>障害:[1着]", 296},
        {"chakHNiigata", "<新潟>平地:[1着]", 332},  {"chakSNiigata", "<新潟>障害:[1着]", 368},
        {"chakHTokyo", "<東京>平地:[1着]", 404},    {"chakSTokyo", "<東京>障害:[1着]", 440},
        {"chakHNakayama", "<中山>平地:[1着]", 476}, {"chakSNakayama", "<中山>障害:[1着]", 512},
        {"chakHChukyo", "<中京>平地:[1着]", 548},   {"chakSChukyo", "<中京>障害:[1着]", 584},
        {"chakHKyoto", "<京都>平地:[1着]", 620},    {"chakSKyoto", "<京都>障害:[1着]", 656},
        {"chakHHansin", "<阪神>平地:[1着]", 692},   {"chakSHansin", "<阪神>障害:[1着]", 728},
        {"chakHKokura", "<小倉>平地:[1着]", 764},   {"chakSKokura", "<小倉>障害:[1着]", 800},
        {"chakH1600", "<～1600m>芝:[1着]", 836},    {"chakH2200", "<～2200m>芝:[1着]", 872},
        {"chakH2201", "<2201m～>芝:[1着]", 908},    {"chakD1600", "<～1600m>ダ:[1着]", 944},
        {"chakD2200", "<～2200m>ダ:[1着]", 980},    {"chakD2201", "<2201m～>ダ:[1着]", 1016},
    };
    // A trainer record, its "前年" block (tab 1) filled.
    const int block = 1757;
    Rec r(layout::RecordType::CH);
    r.Put(ch::kKey, "01002").Put({block, 4}, "2024");
    r.PutNumber({block + 4, 10}, 1234567).PutNumber({block + 24, 10}, 89);
    for (const Line& l : lines) {
        for (int i = 0; i < 6; ++i) r.PutNumber({block + l.offset + 6 * i, 6}, l.offset * 10 + i);
    }
    const PersonView v = masterdata::MakeTrainerView(r.Record());
    const auto& tab = v.results[1];
    for (const Line& l : lines) {
        SCOPED_TRACE(l.name);
        const std::string gap = l.offset < 116 ? "　　" : "　";
        std::string want = l.prefix;
        const char* places[] = {"", "[2着]", "[3着]", "[4着]", "[5着]", "[6着～]"};
        for (int i = 0; i < 6; ++i) {
            if (i > 0) want += gap + places[i];
            want += text::Format("%6d", l.offset * 10 + i);
        }
        EXPECT_EQ(Utf8Line(tab, l.name), want);
    }
    EXPECT_EQ(Utf8Line(tab, "SetteiNenLabel"), "設定年:2024");
    EXPECT_EQ(Utf8Line(tab, "ShokinHeiti"), "平地本賞金:  123456千円　　平地付加賞金:       8千円");
    // The other tabs read other blocks: blank here.
    EXPECT_EQ(Utf8Line(v.results[0], "chakHeiti").find("   440"), std::string::npos);
    EXPECT_EQ(Utf8Line(v.results[0], "SetteiNenLabel"), "設定年:    ");
    EXPECT_EQ(Utf8Line(v.results[2], "SetteiNenLabel"), "");  // "累計" has no year
    EXPECT_TRUE(v.firstRides.empty());
}

TEST(PersonView, ABlankRecordShowsFixedTextsAndZeros) {
    const PersonView v = masterdata::MakeJockeyView(Rec(layout::RecordType::KS).Record());
    EXPECT_EQ(Utf8Line(v.firstRides, "FirstRideLabel"), "【初騎乗/平地】");
    EXPECT_EQ(Utf8Line(v.gradedWins, "LatestVLabel1"), "－");
    EXPECT_EQ(Utf8Line(v.results[0], "chakHeiti"),
              "平地着回数:[1着]     0　　[2着]     0　　[3着]     0　　[4着]     0　　[5着]     "
              "0　　[6着～]     0");
}

}  // namespace
}  // namespace quindle::testing
