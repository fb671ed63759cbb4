#include "core/model/race_day.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "core/store/record_layout.h"

using namespace quindle::model;
namespace layout = quindle::store::layout;

namespace {

// The model is large: tests share one and restore what they touch.
RaceDay& Day() {
    static auto day = std::make_unique<RaceDay>();
    return *day;
}

std::string SeLine(std::string_view horseNumber) {
    std::string line(static_cast<size_t>(layout::LineLength(layout::RecordType::SE)), ' ');
    quindle::text::PutField(line, layout::head::kRecordType, "SE");
    quindle::text::PutField(line, layout::head::kRaceKey, "2024010506010203");
    quindle::text::PutField(line, layout::se::kHorseNumber, horseNumber);
    return line;
}

// Sets a member of every kind in race `r`.
void Scribble(RaceDay& day, int r) {
    TOutData& out = day.OutData(r);
    out.OddsTime = "1525";
    out.TenNori[17] = 1;
    out.PrevJockeyCode[3] = "01234";
    out.WinOdds[0] = 3.5;
    out.TrioFavouriteOdds = 12.3;
    out.ZensoMembers[5].Name[7] = "ABC";
    out.ZensoMembers[5].PrevFinish[7] = 4;
    out.ZensoMembers[5].UpCount = 2;
    out.PayoutLoaded = 1;
    day.State().Delivered[static_cast<size_t>(r)] = 1;
}

}  // namespace

TEST(RaceDay, TablesAreOneBlockOfAboutTwentyFourMegabytes) {
    const double mb = static_cast<double>(RaceDay::TableBytes()) / (1024.0 * 1024.0);
    EXPECT_GT(mb, 23.0);
    EXPECT_LT(mb, 26.0);
}

TEST(RaceDay, ClearTwiceEqualsClearOnceAndSetsTheNinetyNines) {
    RaceDay& day = Day();
    Scribble(day, 0);
    Scribble(day, 35);
    day.State().ZensoExtracted = 1;
    day.ClearDerivedData();
    const TOutData first = day.OutData(35);
    day.ClearDerivedData();
    EXPECT_TRUE(day.OutData(35) == first);
    EXPECT_TRUE(day.OutData(0) == first);
    EXPECT_EQ(day.State().ZensoExtracted, 0);
    EXPECT_EQ(day.State().Delivered[35], 0);

    const TOutData& out = day.OutData(0);
    EXPECT_TRUE(out.OddsTime.Empty());
    EXPECT_EQ(out.TenNori[17], 0);
    EXPECT_TRUE(out.PrevJockeyCode[3].Empty());
    EXPECT_EQ(out.WinOdds[0], 0.0);
    EXPECT_EQ(out.TrioFavouriteOdds, 0.0);
    EXPECT_EQ(out.PayoutLoaded, 0);
    for (const auto& members : out.ZensoMembers) {
        EXPECT_EQ(members.UpCount, 0);
        for (int k = 0; k < kRunners; ++k) {
            EXPECT_EQ(members.PrevFinish[k], 99);
            EXPECT_EQ(members.NextFinish[k], 99);
            EXPECT_EQ(members.NextHeadCount[k], 0);
            EXPECT_TRUE(members.Name[k].Empty());
        }
    }
}

TEST(RaceDay, ClearLeavesTheImagesAndBlankingLeavesTheDerivedRecords) {
    RaceDay& day = Day();
    const std::string line = SeLine("07");
    day.RunnerSE(2, 6).Assign(line);
    day.PastSE(2, 6, 19).Assign(line);
    day.ClearDerivedData();
    EXPECT_EQ(day.RunnerSE(2, 6).Line(), line);
    EXPECT_EQ(day.PastSE(2, 6, 19).Int(layout::se::kHorseNumber), 7);

    Scribble(day, 2);
    day.BlankImages();
    EXPECT_EQ(day.OutData(2).OddsTime, "1525");
    EXPECT_TRUE(day.RunnerSE(2, 6).IsBlank());
    EXPECT_TRUE(day.PastSE(2, 6, 19).IsBlank());
    day.ClearDerivedData();
}

// Blanking only touches the past images written since the last blank: every
// image written through the model, in any order, must come back blank.
TEST(RaceDay, BlankImagesBlanksEveryPastImageWrittenSinceTheLastBlank) {
    RaceDay& day = Day();
    const std::string line = SeLine("03");
    day.BlankImages();
    day.PastSE(0, 0, 0).Assign(line);
    day.PastSE(35, 17, 19).Assign(line);
    day.PastRA(7, 4, 11).Assign(std::string(1270, '9'));
    day.PastSE(7, 4, 3).Assign(line);  // a lower index after a higher one
    day.BlankImages();
    EXPECT_TRUE(day.PastSE(0, 0, 0).IsBlank());
    EXPECT_TRUE(day.PastSE(35, 17, 19).IsBlank());
    EXPECT_TRUE(day.PastRA(7, 4, 11).IsBlank());
    EXPECT_TRUE(day.PastSE(7, 4, 3).IsBlank());

    // Written again after a blank: blanked again.
    day.PastRA(35, 17, 19).Assign(std::string(1270, '9'));
    day.BlankImages();
    EXPECT_TRUE(day.PastRA(35, 17, 19).IsBlank());
}

TEST(RaceDay, BlankImagesReadZeroAndEmpty) {
    RaceDay& day = Day();
    day.RaceRA(4).Assign(std::string(1270, '9'));
    day.BlankImages();
    const RaImage& ra = day.RaceRA(4);
    EXPECT_EQ(ra.Int(layout::ra::kEntered), 0);
    EXPECT_EQ(ra.Int(layout::head::kRaceDate), 0);
    EXPECT_EQ(ra.Text(layout::ra::kRaceName), "");
    EXPECT_EQ(day.RaceO5(35).Int(layout::o5::kTrioOdds(816)), 0);
    EXPECT_EQ(day.RaceHR(0).Text(layout::hr::Block(layout::hr::BetType::Win).Combo(1)), "");
    EXPECT_EQ(ra.View().size(), 1272u);  // a blanked image is blanks to its last byte
    EXPECT_EQ(ra.View().back(), ' ');
}

TEST(RaceDay, WholeRecordCopiesKeepTheLineEnd) {
    SeImage se;
    const std::string line = SeLine("12");
    EXPECT_TRUE(se.Assign(line));  // a stored line: CR LF added
    EXPECT_EQ(se.View().substr(553), "\r\n");
    EXPECT_EQ(se.Line(), line);
    EXPECT_TRUE(se.Assign(line + "\r\n"));  // a record as delivered
    EXPECT_EQ(se.Line(), line);

    SeImage copy;
    copy = se;
    EXPECT_TRUE(copy == se);

    // A damaged short record reads as blanks where its bytes are missing.
    EXPECT_FALSE(se.Assign(line.substr(0, 30)));
    EXPECT_EQ(se.Int(layout::se::kHorseNumber), 12);
    EXPECT_EQ(se.Text(layout::se::kPedigree), "");
    EXPECT_EQ(se.View().substr(553), "\r\n");
    EXPECT_FALSE(se.Assign(line + "XYZ\r\n"));
    EXPECT_EQ(se.View().substr(553), "\r\n");

    RaImage pastRa;
    CopyRaceKey(se, pastRa);
    EXPECT_EQ(pastRa.Field(layout::head::kRaceKey), "2024010506010203");
    EXPECT_EQ(pastRa.Field(layout::head::kRecordType), "  ");
}

TEST(RaceDay, IndexesOutOfRangeThrow) {
    RaceDay& day = Day();
    EXPECT_THROW(day.RaceRA(36), std::out_of_range);
    EXPECT_THROW(day.RaceRA(-1), std::out_of_range);
    EXPECT_THROW(day.RunnerSE(0, 18), std::out_of_range);
    EXPECT_THROW(day.PastSE(0, 0, 20), std::out_of_range);
    EXPECT_THROW(day.PastRA(0, -1, 0), std::out_of_range);
    EXPECT_THROW(day.RaceHR(36), std::out_of_range);
    EXPECT_THROW(day.RaceO1(99), std::out_of_range);
    EXPECT_THROW(day.RaceO5(36), std::out_of_range);
    EXPECT_THROW(day.OutData(36), std::out_of_range);
    EXPECT_THROW(day.Payouts(36), std::out_of_range);
    EXPECT_THROW(day.OutData(0).TenNori[18], std::out_of_range);
    EXPECT_THROW(day.OutData(0).ZensoMembers[0].NextFinish[-1], std::out_of_range);
    EXPECT_THROW(day.State().Delivered[36], std::out_of_range);
    EXPECT_THROW(day.Payouts(0).Win[3], std::out_of_range);
    EXPECT_NO_THROW(day.PastRA(35, 17, 19));
}

TEST(RaceDay, TextsRefuseMoreThanTheirCapacity) {
    TOutData out;
    out.PrevJockeyName[0] = "12345678";
    EXPECT_EQ(out.PrevJockeyName[0].Size(), 8u);
    EXPECT_THROW(out.PrevJockeyName[0] = "123456789", std::length_error);
    EXPECT_EQ(out.PrevJockeyName[0], "12345678");  // unchanged by the refused write

    RacePayouts payouts;
    payouts.Trifecta[5].Key = "12- 3-18";
    EXPECT_EQ(payouts.Trifecta[5].Key.Capacity(), 8u);
    EXPECT_EQ(payouts.QuinellaPlace.size(), 7u);
    EXPECT_EQ(payouts.Place.size(), 5u);
}
