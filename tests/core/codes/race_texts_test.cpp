#include "core/store/codes/race_texts.h"

#include <gtest/gtest.h>

#include <set>

#include "core/text/cp932.h"

using namespace quindle::store;
using quindle::text::ToCp932;

namespace {

std::string FullWidthBlanks(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += ToCp932("　");
    return s;
}

TEST(GradeName, PadsToFiveBytes) {
    EXPECT_EQ(GradeName("A"), "G1   ");
    EXPECT_EQ(GradeName("F"), "JG1  ");
    EXPECT_EQ(GradeName("L"), "List ");
    EXPECT_EQ(GradeName("D"), ToCp932("重賞 "));
    EXPECT_EQ(GradeName(" "), ToCp932("　　 "));
    EXPECT_EQ(GradeName("Z"), ToCp932("　　 "));
}

TEST(RaceTypeName, PadsWithFullWidthBlanksToSixteenBytes) {
    EXPECT_EQ(RaceTypeName("13", 8), ToCp932("サラ系３歳以上　"));
    EXPECT_EQ(RaceTypeName("11", 8), ToCp932("サラ系２歳　　　"));
    EXPECT_EQ(RaceTypeName("23", 8), ToCp932("アラブ系３歳以上"));
    EXPECT_EQ(RaceTypeName("99", 8), FullWidthBlanks(8));
    EXPECT_EQ(RaceTypeName("  ", 8), FullWidthBlanks(8));
    EXPECT_EQ(RaceTypeName("13", 1), "");
}

TEST(RaceTypeLongName, ReadsTheCodeAsANumberAndPadsToFifteenBytes) {
    EXPECT_EQ(RaceTypeLongName("13"), ToCp932("ｻﾗ系3歳以上    "));
    EXPECT_EQ(RaceTypeLongName("013"), ToCp932("ｻﾗ系3歳以上    "));
    EXPECT_EQ(RaceTypeLongName("18"), ToCp932("ｻﾗ系障害3歳以上"));
    EXPECT_EQ(RaceTypeLongName("21"), ToCp932("ｱﾗ系2歳        "));
    EXPECT_EQ(RaceTypeLongName("99"), "");
    EXPECT_EQ(RaceTypeLongName("  "), "");
}

TEST(RaceSymbolName, ComposesTheSymbolFromTheCodeCharacters) {
    struct Case {
        const char* code;
        const char* utf8;
    } cases[] = {
        {"A21", "(混合)牝(指定)　　　　　"}, {"K03", "(市)(抽)関西配布馬[指定]"},
        {"A02", "(混合)若手騎手　　　　　"}, {"002", "若手騎手　　　　　　　　"},
        {"N44", "(国際)牡・牝(特指)　　　"}, {"A30", "(混合)牡・ｾﾝ　　　　　　"},
        {"M01", "九州産馬(指定)　　　　　"}, {"E00", "[抽]　　　　　　　　　　"},
    };
    for (const auto& c : cases) EXPECT_EQ(RaceSymbolName(c.code), ToCp932(c.utf8)) << c.code;
}

TEST(RaceSymbolName, CodesOutsideTheTableGiveTwelveFullWidthBlanks) {
    // "A12" could be composed from its characters but is not a code in use.
    for (const char* code : {"000", "A12", "Z00", "   ", "", "A2"}) {
        EXPECT_EQ(RaceSymbolName(code), FullWidthBlanks(12)) << '"' << code << '"';
    }
}

TEST(RaceSymbolName, EveryCodeGivesTwentyFourBytesOfText) {
    const auto codes = RaceSymbolCodes();
    ASSERT_EQ(codes.size(), 86u);
    EXPECT_EQ(std::set(codes.begin(), codes.end()).size(), codes.size());
    for (auto code : codes) {
        const std::string name = RaceSymbolName(code);
        EXPECT_EQ(name.size(), 24u) << code;
        EXPECT_NE(name, FullWidthBlanks(12)) << code;
        EXPECT_EQ(name.find('?'), std::string::npos) << code;
    }
}

TEST(ConditionName, ReadsTheCodeAsANumber) {
    struct Case {
        const char* code;
        const char* utf8;
    } cases[] = {
        {"005", "1勝ｸﾗｽ"}, {"010", "2勝ｸﾗｽ"}, {"016", "3勝ｸﾗｽ"}, {"100", "1億下"},
        {"701", "新馬"},   {"702", "未出走"}, {"703", "未勝利"}, {"999", "オープン"},
        {"  5", "1勝ｸﾗｽ"}, {"000", ""},       {"   ", ""},       {"050", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ConditionName(c.code), ToCp932(c.utf8)) << c.code;
}

TEST(RaceConditionText, JoinsTheAgeGroupsByRaceType) {
    struct Case {
        const char* type;
        const char* c2;
        const char* c3;
        const char* c4;
        const char* c5;
        const char* utf8;
    } cases[] = {
        {"11", "701", "000", "000", "000", "2歳新馬"},
        {"21", "005", "000", "000", "000", "2歳1勝ｸﾗｽ"},
        {"12", "000", "703", "000", "000", "3歳未勝利"},
        {"22", "000", "999", "000", "000", "3歳オープン"},
        // Three-year-olds and up: the older groups only when the youngest
        // group has a prize-money class.
        {"13", "000", "000", "010", "010", "3歳上"},
        {"13", "000", "999", "999", "999", "3歳上オープン"},
        {"13", "000", "005", "010", "010", "3歳上1勝ｸﾗｽ  3歳上2勝ｸﾗｽ  3歳上2勝ｸﾗｽ"},
        {"23", "000", "100", "100", "100", "3歳上1億下  3歳上1億下  3歳上1億下"},
        {"18", "000", "000", "000", "000", "3歳上"},
        {"14", "000", "000", "016", "016", "4歳上3勝ｸﾗｽ  4歳上3勝ｸﾗｽ"},
        {"19", "000", "000", "999", "999", "4歳上オープン"},
        {"24", "000", "000", "000", "000", "4歳上"},
        {"15", "005", "005", "005", "005", ""},
        {"  ", "005", "005", "005", "005", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RaceConditionText(c.type, c.c2, c.c3, c.c4, c.c5), ToCp932(c.utf8))
            << c.type << ' ' << c.c3 << ' ' << c.c4;
    }
}

TEST(RaceClassLabel, LabelsPastRacesByGradeConditionAndName) {
    struct Case {
        const char* condition;
        const char* grade;
        const char* name;
        const char* utf8;
    } cases[] = {
        {"005", "A", "有馬記", "GⅠ有馬記"},
        {"999", "B", "　　　", "GⅡ　　　"},
        {"010", "C", "", "GⅢ"},
        {"999", "L", "ＡＢＣ", "LstＡＢＣ"},
        {"701", " ", "", "新馬"},
        {"702", " ", "", "未出走"},
        {"703", "E", "ＡＢＣ", "未勝利"},
        {"005", " ", "", "1勝ｸﾗｽ"},
        {"010", " ", "", "2勝ｸﾗｽ"},
        {"016", "D", "", "3勝ｸﾗｽ"},
        // Open races: the name, or "ｵｰﾌﾟﾝ" when the race has none.
        {"999", " ", "ＡＢＣ", "ＡＢＣ"},
        {"999", " ", "　　　", "ｵｰﾌﾟﾝ"},
        {"999", " ", "      ", "ｵｰﾌﾟﾝ"},
        // Old prize-money classes.
        {"050", " ", "", "5000下"},
        {"100", " ", "", "10000下"},
        {"  5", " ", "", " 500下"},
        // Nothing to tell from the condition: the name, else the grade.
        {"   ", "D", "", "重賞"},
        {"   ", "E", "　　　", "特別"},
        {"000", "E", "", "特別"},
        {"000", "D", "ＡＢＣ", "ＡＢＣ"},
        {"   ", " ", "ＡＢ　", "ＡＢ　"},
        {"000", " ", "", " "},
        {"   ", "F", "", " "},
        {"", " ", "", " "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RaceClassLabel(c.condition, c.grade, ToCp932(c.name)), ToCp932(c.utf8))
            << '"' << c.condition << "\" \"" << c.grade << "\" " << c.name;
    }
}

TEST(ClassLevel, RanksByGradeFirstThenByCondition) {
    struct Case {
        const char* grade;
        const char* condition;
        const char* level;
    } cases[] = {
        {"A", "703", "09"}, {"B", "999", "08"}, {"C", "005", "07"}, {"L", "999", "07"},
        {"D", "999", "06"}, {" ", "016", "05"}, {"E", "010", "04"}, {" ", "005", "03"},
        {" ", "703", "02"}, {" ", "701", "01"}, {" ", "702", "  "}, {"D", "050", "  "},
        {" ", "   ", "  "}, {"F", "  5", "  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassLevel(c.grade, c.condition), c.level) << c.grade << ' ' << c.condition;
    }
}

}  // namespace
