#include "core/model/payout_calc.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/fixtures/loader_fixture.h"

using namespace quindle::model;
using quindle::testing::HrRec;
using BetType = quindle::store::layout::hr::BetType;

namespace {

HrImage Image(const quindle::testing::Rec& rec) {
    HrImage image;
    image.Assign(rec.Record());
    return image;
}

}  // namespace

TEST(PayoutCalc, DeadHeatForFirstFillsTwoWinSlotsAndLeavesTheThirdEmpty) {
    auto hr = HrRec("20250105", "06", 11)
                  .Payout(BetType::Win, 1, "03", 410, 2)
                  .Payout(BetType::Win, 2, "12", 560, 4)
                  .Payout(BetType::Place, 1, "03", 150, 2)
                  .Payout(BetType::Place, 2, "12", 190, 4)
                  .Payout(BetType::Place, 3, "07", 330, 6);
    const RacePayouts p = ParsePayouts(Image(hr));
    EXPECT_EQ(p.Win[0], (NumberPayout{3, 2, 410}));
    EXPECT_EQ(p.Win[1], (NumberPayout{12, 4, 560}));
    EXPECT_EQ(p.Win[2], (NumberPayout{0, 0, 0}));
    EXPECT_EQ(p.Place[2], (NumberPayout{7, 6, 330}));
    EXPECT_EQ(p.Place[3], (NumberPayout{0, 0, 0}));
}

TEST(PayoutCalc, CombinationKeysKeepTheirStoredOrder) {
    auto hr = HrRec("20250105", "06", 11)
                  .Payout(BetType::BracketQuinella, 1, "33", 1230, 5)
                  .Payout(BetType::Quinella, 1, "0312", 2340, 8)
                  .Payout(BetType::Exacta, 1, "1203", 5670, 19)
                  .Payout(BetType::Trio, 1, "010203", 8900, 30)
                  .Payout(BetType::Trifecta, 1, "120301", 123450, 456);
    const RacePayouts p = ParsePayouts(Image(hr));
    EXPECT_EQ(p.BracketQuinella[0].Key, " 3- 3");
    EXPECT_EQ(p.BracketQuinella[0].Popularity, 5);
    EXPECT_EQ(p.BracketQuinella[0].Payout, 1230);
    EXPECT_EQ(p.Quinella[0].Key, " 3-12");
    EXPECT_EQ(p.Exacta[0].Key, "12- 3");
    EXPECT_EQ(p.Trio[0].Key, " 1- 2- 3");
    EXPECT_EQ(p.Trifecta[0].Key, "12- 3- 1");
    EXPECT_EQ(p.Trifecta[0].Popularity, 456);
    EXPECT_EQ(p.Trifecta[0].Payout, 123450);
    // A slot of blanks stays an empty key with zeros.
    EXPECT_TRUE(p.Trifecta[1].Key.Empty());
    EXPECT_EQ(p.Trifecta[1].Popularity, 0);
    EXPECT_EQ(p.Trifecta[1].Payout, 0);
}

TEST(PayoutCalc, SevenQuinellaPlaceSlotsFromDeadHeatsAreAllKept) {
    auto hr = HrRec("20250105", "06", 11);
    const char* combos[] = {"0102", "0103", "0104", "0203", "0204", "0304", "0305"};
    for (int k = 1; k <= 7; ++k) hr.Payout(BetType::QuinellaPlace, k, combos[k - 1], 100 * k, k);
    const RacePayouts p = ParsePayouts(Image(hr));
    EXPECT_EQ(p.QuinellaPlace[0].Key, " 1- 2");
    EXPECT_EQ(p.QuinellaPlace[6].Key, " 3- 5");
    EXPECT_EQ(p.QuinellaPlace[6].Payout, 700);
    EXPECT_EQ(p.QuinellaPlace[6].Popularity, 7);
}

TEST(PayoutCalc, AZeroNumberLeavesTheKeyEmptyButTheNumbersAreRead) {
    auto hr = HrRec("20250105", "06", 11)
                  .Payout(BetType::BracketQuinella, 1, "30", 500, 3)
                  .Payout(BetType::Quinella, 1, "0003", 700, 2)
                  .Payout(BetType::Trio, 1, "010200", 900, 1);
    const RacePayouts p = ParsePayouts(Image(hr));
    EXPECT_TRUE(p.BracketQuinella[0].Key.Empty());
    EXPECT_EQ(p.BracketQuinella[0].Payout, 500);
    EXPECT_TRUE(p.Quinella[0].Key.Empty());
    EXPECT_EQ(p.Quinella[0].Popularity, 2);
    EXPECT_TRUE(p.Trio[0].Key.Empty());
}

TEST(PayoutCalc, CalcBtnParsesEveryRaceAndBlankImagesGiveEmptyTables) {
    auto day = std::make_unique<RaceDay>();
    day->Payouts(5).Win[0].Key = 9;  // left over from another day
    day->RaceHR(35).Assign(
        HrRec("20250105", "06", 12).Payout(BetType::Win, 1, "08", 990, 7).Record());
    CalculatePayouts(*day);
    EXPECT_EQ(day->Payouts(5), RacePayouts{});
    EXPECT_EQ(day->Payouts(35).Win[0], (NumberPayout{8, 7, 990}));
}
