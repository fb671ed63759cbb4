#include "core/load/payout_import.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/fixtures/loader_fixture.h"

using namespace quindle::model;
using quindle::testing::HrRec;
using quindle::testing::ProgramFolderFixture;
using quindle::testing::RaRec;
using quindle::testing::SeRec;

namespace {

namespace se = quindle::store::layout::se;
using BetType = quindle::store::layout::hr::BetType;

constexpr std::string_view kDay = "20250105";
const std::string kDayText = "2025年01月05日";

// Race 1 and race 11 at 中山 with 12 runners each, every runner unplaced
// ("12") in the SE file; payouts of race 11 only.
void WriteDay(const ProgramFolderFixture& folder, const std::vector<std::string>& hr) {
    std::vector<std::string> se;
    for (int race : {1, 11}) {
        for (int h = 1; h <= 12; ++h)
            se.push_back(SeRec(kDay, "06", race, h).Put(se::kFinish, "12").Line());
    }
    folder.WriteDay(
        kDay, {RaRec(kDay, "06", 1).Entered(12).Line(), RaRec(kDay, "06", 11).Entered(12).Line()},
        {{"06", se}}, hr);
}

std::unique_ptr<RaceDay> FreshDay() {
    auto day = std::make_unique<RaceDay>();
    day->ClearDerivedData();
    return day;
}

}  // namespace

TEST(PayoutImport, PlacePayoutOrderBecomesTheFinishPositions) {
    ProgramFolderFixture folder;
    WriteDay(folder, {HrRec(kDay, "06", 11)
                          .Payout(BetType::Win, 1, "07", 350, 1)
                          .Payout(BetType::Place, 1, "07", 140, 1)
                          .Payout(BetType::Place, 2, "03", 260, 5)
                          .Payout(BetType::Place, 3, "11", 410, 8)
                          .Line()});
    auto day = FreshDay();
    auto again = quindle::load::ImportPayouts(*day, folder.path(), kDayText, /*shownRace=*/1);
    ASSERT_TRUE(again) << again.error();
    EXPECT_TRUE(*again);  // the race shown got its payouts

    EXPECT_EQ(day->RunnerSE(1, 6).Field(se::kFinish), "01");
    EXPECT_EQ(day->RunnerSE(1, 2).Field(se::kFinish), "02");
    EXPECT_EQ(day->RunnerSE(1, 10).Field(se::kFinish), "03");
    EXPECT_EQ(day->RunnerSE(1, 0).Field(se::kFinish), "12");
    EXPECT_EQ(day->RunnerSE(0, 6).Field(se::kFinish), "12");  // race 1 has no payouts
    EXPECT_EQ(day->OutData(1).PayoutLoaded, 1);
    EXPECT_EQ(day->OutData(0).PayoutLoaded, 0);
    EXPECT_EQ(day->Payouts(1).Win[0], (NumberPayout{7, 1, 350}));

    // Once the payouts are in, importing again does not show the race again.
    again = quindle::load::ImportPayouts(*day, folder.path(), kDayText, 1);
    ASSERT_TRUE(again);
    EXPECT_FALSE(*again);
}

TEST(PayoutImport, PayoutsOfAnotherRaceThanTheOneShownAskForNothing) {
    ProgramFolderFixture folder;
    WriteDay(folder, {HrRec(kDay, "06", 11).Payout(BetType::Win, 1, "07", 350, 1).Line(),
                      HrRec(kDay, "05", 11).Payout(BetType::Win, 1, "02", 990, 6).Line()});
    auto day = FreshDay();
    auto again = quindle::load::ImportPayouts(*day, folder.path(), kDayText, /*shownRace=*/0);
    ASSERT_TRUE(again) << again.error();
    EXPECT_FALSE(*again);
    EXPECT_TRUE(day->RaceHR(0).IsBlank());  // the 05 record matches no race
    for (int r = 2; r < kRaces; ++r) EXPECT_EQ(day->OutData(r).PayoutLoaded, 0);
}

TEST(PayoutImport, ADamagedDayFileChangesNothing) {
    ProgramFolderFixture folder;
    WriteDay(folder, {HrRec(kDay, "06", 11).Payout(BetType::Place, 1, "07", 140, 1).Line()});
    auto day = FreshDay();
    ASSERT_TRUE(quindle::load::ImportPayouts(*day, folder.path(), kDayText, 0));
    folder.WriteLines(folder.DayFile(kDay, ".jvRA"), {RaRec(kDay, "06", 1).Entered(12).Line()});
    folder.WriteLines(folder.DayFile(kDay, ".jvHR"),
                      {HrRec(kDay, "06", 1).Line(), "HR of the wrong length"});

    auto again = quindle::load::ImportPayouts(*day, folder.path(), kDayText, 0);
    ASSERT_FALSE(again);
    EXPECT_NE(again.error().find("2025年01月05日.jvHR"), std::string::npos) << again.error();
    EXPECT_NE(again.error().find("2行目"), std::string::npos) << again.error();
    EXPECT_EQ(day->RaceRA(1).Int32(quindle::store::layout::head::kRaceNumber), 11);
    EXPECT_EQ(day->RunnerSE(1, 6).Field(se::kFinish), "01");
    EXPECT_EQ(day->Payouts(1).Place[0].Key, 7);
}
