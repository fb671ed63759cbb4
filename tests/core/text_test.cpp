#include <gtest/gtest.h>

#include "core/text/cp932.h"
#include "core/text/fields.h"

using namespace quindle::text;

TEST(Cp932, RoundTripsJapaneseTextAndKeepsByteOrder) {
    const std::string cp = ToCp932("中山　テン乗り");
    EXPECT_EQ(cp.size(), 14u);
    EXPECT_EQ(cp.substr(0, 2), "\x92\x86");  // 中
    EXPECT_EQ(cp.substr(4, 2), "\x81\x40");  // full-width blank
    EXPECT_EQ(ToUtf8(cp), "中山　テン乗り");
    // The race card sorts by CP932 bytes: ☆ comes before ◎ there.
    EXPECT_LT(ToCp932("☆"), ToCp932("◎"));
    EXPECT_EQ(ToCp932("ｻﾗ系"), "\xBB\xD7\x8C\x6E");
    EXPECT_EQ(ToCp932("①"), "\x87\x40");
}

TEST(Cp932, DamagedBytesDoNotStopTheConversion) {
    EXPECT_EQ(ToUtf8(std::string("A\x81")), "A\xEF\xBF\xBD");
    EXPECT_EQ(ToCp932("A\xF0\x9F\x98\x80"
                      "B"),
              "A?B");  // an emoji has no CP932 form
}

TEST(Cp932, SjCachesTheConversion) {
    const std::string& a = Sj("テン乗り");
    const std::string& b = Sj("テン乗り");
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(a, ToCp932("テン乗り"));
}

TEST(Fields, ReadsByOneBasedPositionAndClipsShortRecords) {
    const std::string rec = "RA720240105";
    EXPECT_EQ(FieldAt(rec, 1, 2), "RA");
    EXPECT_EQ(FieldAt(rec, FieldPos{3, 1}), "7");
    EXPECT_EQ(FieldAt(rec, 8, 10), "0105");
    EXPECT_EQ(FieldAt(rec, 12, 4), "");
    EXPECT_EQ(FieldAt(rec, 0, 4), "");
}

TEST(Fields, ReadIntFollowsTheFieldRule) {
    struct Case {
        const char* text;
        std::int64_t value;
    } cases[] = {
        {"05", 5},
        {"  5", 5},
        {"    ", 0},
        {"----", 0},
        {"", 0},
        {"-12", -12},
        {"+7", 7},
        {"12ab", 12},
        {"0035", 35},
        {" 1 2", 1},
        {"2019105123", 2019105123LL},
        {"99999999999999999999999", INT64_MAX},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(Fields, PutFieldRefusesAValueOfTheWrongLength) {
    std::string rec(10, ' ');
    PutField(rec, {3, 2}, "AB");
    EXPECT_EQ(rec, "  AB      ");
    EXPECT_THROW(PutField(rec, {3, 2}, "ABC"), std::logic_error);
    EXPECT_THROW(PutField(rec, {10, 2}, "AB"), std::logic_error);
}

TEST(Fields, PaddingIsByByteWidth) {
    EXPECT_EQ(PadRight("G1", 5), "G1   ");
    EXPECT_EQ(PadRightFullWidth(Sj("サラ系２歳"), 16), Sj("サラ系２歳　　　"));
    EXPECT_EQ(PadRightFullWidth("abc", 6), std::string("abc\x81\x40 "));
    EXPECT_EQ(Format("%2d|%5.1f", 3, 12.34), " 3| 12.3");
}
