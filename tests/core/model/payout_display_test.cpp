#include "core/model/payout_display.h"

#include <gtest/gtest.h>

using namespace quindle::model;
using BetType = quindle::store::layout::hr::BetType;

TEST(PayoutDisplay, OnlySlotsWithAResultShowTheirTexts) {
    RacePayouts p;
    p.Win[0] = {3, 2, 410};
    p.Place[1] = {12, 5, 1230};
    p.Quinella[0].Key = " 3-12";
    p.Quinella[0].Popularity = 8;
    p.Quinella[0].Payout = 2340;
    p.Exacta[0].Key = " 0- 0";       // no result
    p.Trio[0].Key = " 0- 0- 0";      // no result
    p.Trifecta[0].Key = "        ";  // blanks
    p.Trifecta[1].Key = "12- 3- 1";
    p.Trifecta[1].Popularity = 456;
    p.Trifecta[1].Payout = 123450;

    const auto texts = PayoutSlotTexts(p);
    ASSERT_EQ(texts.size(), 3u + 5 + 3 + 3 + 7 + 6 + 3 + 6);
    std::vector<std::string> shown;
    for (const auto& t : texts) {
        if (!t.filled) {
            EXPECT_TRUE(t.key.empty() && t.popularity.empty() && t.payout.empty());
            continue;
        }
        shown.push_back(std::string(BetTypeName(t.type)) + std::to_string(t.slot) + "|" + t.key +
                        "|" + t.popularity + "|" + t.payout);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "単勝0| 3| 2|     410",
                         "複勝1|12| 5|    1230",
                         "馬連0| 3-12| 8|    2340",
                         "３連単1|12- 3- 1|456|  123450",
                     }));
}

TEST(PayoutDisplay, YenTextGroupsThousands) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0円"},          {100, "100円"},           {1000, "1,000円"},
        {20070, "20,070円"}, {1234567, "1,234,567円"},
    };
    for (const auto& [amount, shown] : cases) EXPECT_EQ(YenText(amount), shown) << amount;
}
