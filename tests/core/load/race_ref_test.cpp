#include "core/load/race_ref.h"

#include <gtest/gtest.h>

#include "core/load/day_loader.h"
#include "core/store/files/record_builder.h"

namespace quindle::load {
namespace {

using store::layout::RecordType;
using store::testing::Rec;

TEST(RaceRef, ARaceIsNamedOnceFromItsRecordAsTheRaceListNamesIt) {
    const std::string ra = Rec(RecordType::RA).Date("20250105").Venue("06").Race(11).Line();
    const RaceRef race = RaceRefOfRecord(ra, 10);
    EXPECT_EQ(race.index, 10);
    EXPECT_EQ(race.key, "2025010506010111");
    EXPECT_EQ(race.venue, "06");
    EXPECT_EQ(race.number, 11);
    EXPECT_EQ(race.Date(), "20250105");
    model::RaImage image;
    ASSERT_TRUE(image.Assign(ra));
    EXPECT_EQ(race.label, RaceListLine(image));
    EXPECT_EQ(race.label, "中山11R");
    EXPECT_EQ(VenueRaceText("06", 1), "中山 1");
    EXPECT_TRUE(race.UsableKey());
    EXPECT_TRUE(race.UsableDate());
}

TEST(RaceRef, ABlankZeroOrShortRecordGivesNoUsableKey) {
    std::string zero = Rec(RecordType::RA).Date("20250105").Venue("06").Race(1).Line();
    zero.replace(11, 16, std::string(16, '0'));
    for (const std::string& ra : {std::string(1270, ' '), zero, std::string("RA7")}) {
        const RaceRef race = RaceRefOfRecord(ra, 0);
        EXPECT_FALSE(race.UsableKey()) << ra.substr(0, 30);
        EXPECT_FALSE(race.UsableDate()) << ra.substr(0, 30);
    }
}

}  // namespace
}  // namespace quindle::load
