#include "core/store/codes/venue.h"

#include <gtest/gtest.h>

#include <set>

#include "core/text/cp932.h"

using quindle::store::VenueCodes;
using quindle::store::VenueName;
using quindle::text::ToCp932;

namespace {

TEST(VenueName, GivesTheNameInEachStyle) {
    struct Case {
        const char* code;
        int style;
        const char* utf8;
    } cases[] = {
        {"06", 1, "中"},     {"06", 2, "中山"},   {"06", 3, "中山  "}, {"61", 1, "名"},
        {"07", 1, "名"},     {"07", 2, "中京"},   {"32", 2, "岩見"},   {"32", 3, "岩見沢"},
        {"48", 3, "名古屋"}, {"A2", 1, "日 "},    {"A2", 2, "日本"},   {"A2", 3, "日本  "},
        {"H0", 2, "西独"},   {"H0", 3, "西独　"}, {"L0", 3, "タイ　"}, {"M6", 2, "約  "},
        {"M2", 2, "澳門"},   {"M2", 3, "マカオ"}, {"C7", 1, "首"},     {"C7", 2, "ア首"},
        {"N2", 3, "バーレ"}, {"C4", 1, "  "},     {"G8", 2, "    "},   {"F4", 3, "      "},
        {"99", 1, "  "},     {"99", 2, "    "},   {"99", 3, "      "}, {"  ", 2, "    "},
        {"6", 2, "    "},    {"06 ", 2, "    "},  {"06", 0, ""},       {"06", 4, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VenueName(c.code, c.style), ToCp932(c.utf8))
            << '"' << c.code << "\" style " << c.style;
    }
}

// Abbreviations that once differed from the JV-Data venue table. C7 and H2
// keep the first of the two one-character forms the table gives.
TEST(VenueName, FollowsThePublishedAbbreviations) {
    struct Case {
        const char* code;
        const char* styles[3];
    } cases[] = {
        {"D8", {"宇", "ウル", "ウルグ"}}, {"M4", {"墺", "墺  ", "墺国  "}},
        {"N0", {"独", "東独", "東独  "}}, {"N2", {"巴", "巴林", "バーレ"}},
        {"C7", {"首", "ア首", "アラブ"}}, {"H2", {"南", "南ア", "南アフ"}},
    };
    for (const auto& c : cases) {
        for (int style = 1; style <= 3; ++style) {
            EXPECT_EQ(VenueName(c.code, style), ToCp932(c.styles[style - 1]))
                << c.code << " style " << style;
        }
    }
}

TEST(VenueName, EveryCodeHasTheWidthOfItsStyle) {
    const auto codes = VenueCodes();
    ASSERT_EQ(codes.size(), 112u);
    EXPECT_EQ(std::set(codes.begin(), codes.end()).size(), codes.size());
    const size_t widths[] = {2, 4, 6};
    for (auto code : codes) {
        for (int style = 1; style <= 3; ++style) {
            const std::string name = VenueName(code, style);
            // The one-character name of Japan carries a blank behind it.
            const size_t expected = widths[style - 1] + (code == "A2" && style == 1 ? 1 : 0);
            EXPECT_EQ(name.size(), expected) << code << " style " << style;
            EXPECT_EQ(name.find('?'), std::string::npos) << code << " has no CP932 form";
        }
    }
}

}  // namespace
