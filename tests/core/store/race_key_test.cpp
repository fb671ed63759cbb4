#include "core/store/race_key.h"

#include <gtest/gtest.h>

#include <string>

#include "core/store/codes/venue.h"

using namespace quindle::store;

namespace {

// "2024" "0210" venue "01" "01" "10": a key at `venue`.
std::string KeyAt(std::string_view venue) {
    return "20240210" + std::string(venue) + "010110";
}

TEST(RaceKey, EveryVenueOfTheTableMakesASoundKey) {
    ASSERT_FALSE(VenueCodes().empty());
    for (std::string_view code : VenueCodes()) {
        EXPECT_EQ(RaceKeyProblem(KeyAt(code)), "") << code;
    }
    // Central, local and overseas keys as JV-Link delivers them.
    for (const char* key : {"2025033006030211", "2024021030010110", "20240210K6010110",
                            "20241208G0010107", "20240229A4000001"}) {
        EXPECT_EQ(RaceKeyProblem(key), "") << key;
    }
}

TEST(RaceKey, NamesThePartThatIsWrong) {
    struct Case {
        const char* key;
        const char* mentions;
    };
    const Case cases[] = {
        {"2024021K6010110 ", "開催月日"},      // shifted by one byte
        {"20240210k6010110", "競馬場コード"},  // letter case matters
        {"20240210ZZ010110", "競馬場コード (20 バイト目から 2 バイト) が \"ZZ\""},
        {"20240210 6010110", "競馬場コード"},
        {"202402100601011X", "レース番号 (26 バイト目から 2 バイト) が \"1X\""},
        {"20240210060X0110", "開催回"},
        {"2024021006010 10", "開催日目"},
        {"2O24021006010110", "開催年"},
        {"20241310060101101", "16 バイト"},
        {"20241310060101", "16 バイト"},
        {"20241310060101 1", "レース番号"},
        {"2024133106010110", "日付 (12 バイト目から 8 バイト) が \"20241331\""},
        {"2023022906010110", "ありえない日"},
    };
    for (const Case& c : cases) {
        const std::string problem = RaceKeyProblem(c.key);
        EXPECT_NE(problem.find(c.mentions), std::string::npos) << c.key << ": " << problem;
    }
}

TEST(RaceKey, CentralVenuesAreTheTenJraCourses) {
    for (const char* code : {"01", "05", "10"}) EXPECT_TRUE(IsCentralVenue(code)) << code;
    for (const char* code : {"00", "11", "30", "K6", "A0", " 1", "1", "010", ""}) {
        EXPECT_FALSE(IsCentralVenue(code)) << code;
    }
}

}  // namespace
