#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/store/codes.h"
#include "core/text/cp932.h"

using namespace quindle::store;
using quindle::text::ToCp932;

namespace {

using Operation = std::string (*)(std::string_view);

struct Case {
    const char* operation;
    Operation op;
    const char* code;
    const char* utf8;
};

#define OP(name) #name, &name

template <std::size_t N>
void ExpectTexts(const Case (&cases)[N]) {
    for (const auto& c : cases) {
        EXPECT_EQ(c.op(c.code), ToCp932(c.utf8)) << c.operation << "(\"" << c.code << "\")";
    }
}

TEST(SmallTables, GiveTheTextOrTheTableDefault) {
    const Case cases[] = {
        {OP(WeightTypeName), "1", "ﾊﾝﾃﾞ"},
        {OP(WeightTypeName), "4", "定量"},
        {OP(WeightTypeName), "5", ""},
        {OP(WeatherName), "4", "小雨"},
        {OP(WeatherName), "6", "小雪"},
        {OP(WeatherName), "0", ""},
        {OP(SexName), "3", "ｾﾝ"},
        {OP(SexName), "4", ""},
        {OP(PersonSexName), "2", "女"},
        {OP(PersonSexName), "0", "　"},
        {OP(BreedName), "1", "サラ"},
        {OP(BreedName), "8", "中半"},
        {OP(BreedName), "9", ""},
        // Coat colours are compared as text: "1" is not "01".
        {OP(CoatColourName), "01", "栗毛"},
        {OP(CoatColourName), "11", "白毛"},
        {OP(CoatColourName), "1", "－"},
        {OP(CoatColourName), "12", "－"},
        // Horse symbols are read as numbers.
        {OP(HorseSymbolName), "01", "(抽)"},
        {OP(HorseSymbolName), "12", "(父)(市)(地)"},
        {OP(HorseSymbolName), "41", "(父)(外)[地]"},
        {OP(HorseSymbolName), "13", "　"},
        {OP(HorseSymbolName), "00", "　"},
        {OP(AffiliationName), "1", "美浦"},
        {OP(AffiliationName), "4", "招待"},
        {OP(AffiliationName), "0", "－"},
        {OP(JockeyKindName), "1", "平・障"},
        {OP(JockeyKindName), "4", "－"},
        {OP(ApprenticeName), "1", "1kg減(☆)"},
        {OP(ApprenticeName), "9", "2kg減(◇)"},
        {OP(ApprenticeName), "0", "－"},
        {OP(ApprenticeReduction), "4", "4kg減"},
        {OP(ApprenticeReduction), "9", "2kg減"},
        {OP(ApprenticeReduction), "0", "　"},
        {OP(FlagMark), "1", "○"},
        {OP(FlagMark), "0", "－"},
        {OP(FlagMark), " ", "－"},
        {OP(CircledNumberText), "01", "①"},
        {OP(CircledNumberText), "10", "⑩"},
        {OP(CircledNumberText), "18", "⑱"},
        {OP(CircledNumberText), "19", "－"},
        {OP(CircledNumberText), "00", "－"},
        {OP(CircledNumberText), "  ", "－"},
        {OP(CircledNumberText), "-1", "－"},
    };
    ExpectTexts(cases);
}

TEST(SmallTables, TrackNamesAreReadAsNumbers) {
    const Case cases[] = {
        {OP(TrackName), "10", "芝 直線"},
        {OP(TrackName), "13", "芝 左回り 内→外回り"},
        {OP(TrackName), "24", "ﾀﾞｰﾄ 右回り"},
        {OP(TrackName), "51", "障害 芝　襷"},
        {OP(TrackName), "30", ""},
        {OP(TrackName), "  ", ""},
        {OP(TrackShortName), "10", "芝直"},
        {OP(TrackShortName), "11", "芝左"},
        {OP(TrackShortName), "16", "芝左"},
        {OP(TrackShortName), "17", "芝右"},
        {OP(TrackShortName), "22", "芝右"},
        {OP(TrackShortName), "23", "ダ左"},
        {OP(TrackShortName), "24", "ダ右"},
        {OP(TrackShortName), "29", "ダ直"},
        {OP(TrackShortName), "51", "障害"},
        {OP(TrackShortName), "59", "障害"},
        {OP(TrackShortName), "60", ""},
        {OP(TrackShortName), "00", ""},
    };
    ExpectTexts(cases);
}

TEST(SmallTables, ResultColumnsKeepTheirWidth) {
    const Case cases[] = {
        {OP(AbnormalityName), "1", "出走取消"},
        {OP(AbnormalityName), "5", "失格    "},
        {OP(AbnormalityName), "7", "降着　　"},
        {OP(AbnormalityName), "0", "        "},
        {OP(AbnormalityName), " ", "        "},
        // Margins are trimmed before the lookup.
        {OP(MarginName), " 34", "3/4馬身  "},
        {OP(MarginName), "12 ", "1/2馬身  "},
        {OP(MarginName), "112", "1_1/2馬身"},
        {OP(MarginName), "  7", "7馬身    "},
        {OP(MarginName), "H  ", "ハナ     "},
        {OP(MarginName), "A  ", "ｱﾀﾏ      "},
        {OP(MarginName), "Z  ", "10馬身   "},
        {OP(MarginName), "   ", "         "},
        {OP(MarginName), "10 ", "         "},
        {OP(MarginName), "0", "         "},
    };
    ExpectTexts(cases);
    for (const char* code : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        EXPECT_EQ(AbnormalityName(code).size(), 8u) << code;
    }
    for (const char* code :
         {"12", "34", "1", "112", "114", "134", "2", "212", "3", "312", "4",   "5",  "6",
          "7",  "8",  "9", "A",   "D",   "H",   "K", "T",   "Z", "14",  "214", "734"}) {
        EXPECT_EQ(MarginName(code).size(), 9u) << code;
        EXPECT_NE(MarginName(code), std::string(9, ' ')) << code;
    }
}

// Texts that once differed from the JV-Data code tables (異常区分, 馬記号,
// 着差, トラック) and now read as the tables publish them, in the product's
// column forms.
TEST(SmallTables, FollowThePublishedCodeTables) {
    const Case cases[] = {
        {OP(AbnormalityName), "3", "競走除外"},      {OP(AbnormalityName), "4", "競走中止"},
        {OP(HorseSymbolName), "31", "(持)"},         {OP(MarginName), " 14", "1/4馬身  "},
        {OP(MarginName), "214", "2_1/4馬身"},        {OP(MarginName), "734", "7_3/4馬身"},
        {OP(TrackName), "53", "障害 芝・左"},        {OP(TrackName), "58", "障害 芝 内２周以上"},
        {OP(TrackName), "59", "障害 芝 外２周以上"}, {OP(TrackShortName), "25", "ダ左"},
        {OP(TrackShortName), "26", "ダ右"},          {OP(TrackShortName), "27", "サ左"},
        {OP(TrackShortName), "28", "サ右"},
    };
    ExpectTexts(cases);
}

TEST(WeekdayName, LeavesTheCallersTextForOtherNumbers) {
    EXPECT_EQ(WeekdayName("1"), ToCp932("土"));
    EXPECT_EQ(WeekdayName("3"), ToCp932("祝"));
    EXPECT_EQ(WeekdayName("8"), ToCp932("金"));
    EXPECT_EQ(WeekdayName("0"), ToCp932("　"));
    EXPECT_EQ(WeekdayName(" "), ToCp932("　"));  // a blank code reads 0
    EXPECT_EQ(WeekdayName("9", ToCp932("月")), ToCp932("月"));
    EXPECT_EQ(WeekdayName("9"), "");
}

TEST(GoingName, PutsTheSurfaceInFrontByStyle) {
    EXPECT_EQ(GoingName("1", 0), ToCp932("良"));
    EXPECT_EQ(GoingName("2", 0), ToCp932("稍重"));
    EXPECT_EQ(GoingName("4", 1), ToCp932("芝:不良"));
    EXPECT_EQ(GoingName("3", 2), ToCp932("ダ:重"));
    EXPECT_EQ(GoingName("5", 1), "");
    EXPECT_EQ(GoingName(" ", 2), "");
    EXPECT_EQ(GoingName("1", 3), "");
}

}  // namespace
