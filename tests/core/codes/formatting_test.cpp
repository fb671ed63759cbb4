#include "core/store/codes/formatting.h"

#include <gtest/gtest.h>

#include <array>

#include "core/text/cp932.h"

using namespace quindle::store;
using quindle::text::ToCp932;

namespace {

TEST(BracketNumber, MatchesTheExamples) {
    struct Case {
        int runners;
        int horse;
        int bracket;
    } cases[] = {
        {8, 5, 5},   {16, 16, 8}, {18, 18, 8}, {18, 13, 7}, {18, 15, 7}, {18, 16, 8}, {17, 15, 8},
        {17, 14, 7}, {12, 4, 4},  {12, 5, 5},  {12, 6, 5},  {12, 11, 8}, {1, 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BracketNumber(c.runners, c.horse), c.bracket) << c.runners << '/' << c.horse;
    }
}

// Brackets fill in horse-number order; over eight runners the extra horses go
// to the outer brackets, so bracket k of n runners holds n / 8 horses, one
// more when k is among the last n % 8 brackets.
TEST(BracketNumber, FillsTheBracketsLikeTheDrawForEveryFieldSize) {
    for (int runners = 1; runners <= 18; ++runners) {
        std::array<int, 9> count{};
        int previous = 1;
        for (int horse = 1; horse <= runners; ++horse) {
            const int b = BracketNumber(runners, horse);
            ASSERT_GE(b, previous) << runners << '/' << horse;
            ASSERT_LE(b, 8) << runners << '/' << horse;
            if (runners <= 8) {
                EXPECT_EQ(b, horse);
            }
            ++count[static_cast<size_t>(b)];
            previous = b;
        }
        if (runners > 8) {
            for (int k = 1; k <= 8; ++k) {
                const int expected = runners / 8 + (k > 8 - runners % 8 ? 1 : 0);
                EXPECT_EQ(count[static_cast<size_t>(k)], expected)
                    << runners << " runners, bracket " << k;
            }
        }
    }
}

TEST(FormatRaceTime, FormatsMinutesSecondsAndTenths) {
    struct Case {
        const char* text;
        const char* shown;
    } cases[] = {
        {"1234", "123.4"}, {"0095", "0 9.5"}, {"2001", "2 0.1"}, {"0575", "057.5"},
        {"-012", "- 1.2"}, {"+105", "+10.5"}, {"0000", "     "}, {"9999", "     "},
        {"0999", "     "}, {"+999", "     "}, {"    ", "     "}, {"1   ", "     "},
        {"", "     "},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatRaceTime(c.text), c.shown) << c.text;
}

TEST(NumberFormats, KeepTheFieldWidthAndBlankZero) {
    EXPECT_EQ(PadNumber("05"), " 5");
    EXPECT_EQ(PadNumber("0120"), " 120");
    EXPECT_EQ(PadNumber("00"), "  ");
    EXPECT_EQ(PadNumber("   "), "   ");

    EXPECT_EQ(FormatTenths("0035"), "3.5");
    EXPECT_EQ(FormatTenths("1234"), "123.4");
    EXPECT_EQ(FormatTenths("00035"), " 3.5");
    EXPECT_EQ(FormatTenths("550"), "55.0");  // wider than its field: printf widens
    EXPECT_EQ(FormatTenths("0000"), "    ");

    EXPECT_EQ(FormatTenthsWide("0035"), "  3.5");
    EXPECT_EQ(FormatTenthsWide("9999"), "999.9");
    EXPECT_EQ(FormatTenthsWide("0000"), "    ");

    EXPECT_EQ(FormatWidth("05", 2, false), " 5");
    EXPECT_EQ(FormatWidth("00", 2, false), " 0");
    EXPECT_EQ(FormatWidth("00", 2, true), "");
    EXPECT_EQ(FormatWidth("  ", 3, true), "");
    EXPECT_EQ(FormatWidth("123", 2, true), "123");
}

TEST(AddMinutes, MovesTheTimeWithoutWrapping) {
    EXPECT_EQ(AddMinutes("0930", -10), "0920");
    EXPECT_EQ(AddMinutes("0950", 15), "1005");
    EXPECT_EQ(AddMinutes("1000", -1), "0959");
    EXPECT_EQ(AddMinutes("1545", 0), "1545");
    EXPECT_EQ(AddMinutes("2350", 20), "2410");
    EXPECT_EQ(AddMinutes("    ", 5), "");
    EXPECT_EQ(AddMinutes("", 5), "");
}

TEST(OverwriteAt, ReplacesBytesFromThePosition) {
    // Kind and creation date of a record head, blanked before records compare.
    EXPECT_EQ(OverwriteAt("RA72024010520240106", "000000000", 3), "RA00000000020240106");
    EXPECT_EQ(OverwriteAt("ABC", "XY", 3), "ABXY");
    EXPECT_EQ(OverwriteAt("ABC", "X", 4), "ABCX");
    EXPECT_EQ(OverwriteAt("ABC", "X", 5), "ABC");
    EXPECT_EQ(OverwriteAt("ABC", "X", 0), "ABC");
}

TEST(StripFullWidthSpaces, RemovesOnlyWholeFullWidthBlanks) {
    EXPECT_EQ(StripFullWidthSpaces(ToCp932("中山　　")), ToCp932("中山"));
    EXPECT_EQ(StripFullWidthSpaces(ToCp932("　Ａ　Ｂ　")), ToCp932("ＡＢ"));
    EXPECT_EQ(StripFullWidthSpaces(ToCp932("A B")), "A B");
    EXPECT_EQ(StripFullWidthSpaces(""), "");
    // "梶" ends in the byte 0x81; with "@" behind it the bytes 0x81 0x40 show
    // up without being a blank.
    EXPECT_EQ(StripFullWidthSpaces(ToCp932("梶@")), ToCp932("梶@"));
}

}  // namespace
