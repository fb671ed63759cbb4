#include "core/store/record_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

using namespace quindle::store::layout;
using quindle::text::FieldPos;

// Positions are usable in constant expressions.
static_assert(ra::kPrize(1).pos == 714 && ra::kPrize(5).pos == 746);
static_assert(o1::kWinOdds(0).pos == 46 && o1::kPlaceOddsHigh(0).pos == 274);
static_assert(RecordLength("O5") == 12293 && LineLength(RecordType::SE) == 553);

TEST(RecordLayout, RecordTypesAndLengths) {
    const std::map<std::string, int> expected = {
        {"RA", 1272}, {"SE", 555},  {"HR", 719},  {"O1", 962},  {"O5", 12293},
        {"DM", 303},  {"UM", 1609}, {"KS", 4173}, {"CH", 3862},
    };
    ASSERT_EQ(kRecordTypes.size(), expected.size());
    for (const auto& t : kRecordTypes) {
        EXPECT_EQ(RecordLength(t.id), expected.at(std::string(t.id))) << t.id;
        EXPECT_EQ(LineLength(t.id), t.length - 2) << t.id;
        EXPECT_EQ(FindRecordType(t.id), t.type);
        EXPECT_EQ(RecordTypeId(t.type), t.id);
    }
    for (const char* unknown : {"", "R", "ra", "XX", "RAX", "H1"}) {
        EXPECT_EQ(RecordLength(unknown), 0) << unknown;
        EXPECT_EQ(LineLength(unknown), 0) << unknown;
        EXPECT_FALSE(FindRecordType(unknown).has_value());
    }
    EXPECT_EQ(MasterKey(RecordType::UM)->len, 10);
    EXPECT_EQ(MasterKey(RecordType::KS)->len, 5);
    EXPECT_EQ(MasterKey(RecordType::CH)->len, 5);
    EXPECT_EQ(MasterKey(RecordType::CH)->pos, 12);
    EXPECT_FALSE(MasterKey(RecordType::RA).has_value());
}

TEST(RecordLayout, EveryCataloguedFieldLiesInsideItsRecordLine) {
    const auto& catalog = FieldCatalog();
    ASSERT_GT(catalog.size(), 3000u);  // O5 alone has 816 entries of three fields
    std::set<std::pair<RecordType, std::string>> names;
    std::set<RecordType> typesSeen;
    for (const auto& f : catalog) {
        EXPECT_GE(f.pos.pos, 1) << f.name;
        EXPECT_GT(f.pos.len, 0) << f.name;
        EXPECT_LE(f.pos.End(), LineLength(f.type)) << f.name << " of " << RecordTypeId(f.type);
        EXPECT_TRUE(names.insert({f.type, f.name}).second) << "duplicate " << f.name;
        typesSeen.insert(f.type);
    }
    EXPECT_EQ(typesSeen.size(), static_cast<size_t>(kRecordTypeCount));
}

TEST(RecordLayout, RepeatedBlocksEndWhereTheRecordSaysTheyEnd) {
    struct Case {
        const char* what;
        FieldPos block;
        FieldPos lastField;
    } cases[] = {
        {"ra prize", ra::kPrizeBlock, ra::kPrize(ra::kPrizePlaces)},
        {"ra added prize", ra::kAddedPrizeBlock, ra::kAddedPrize(ra::kAddedPrizePlaces)},
        {"se corners", se::kCorners, se::kCorner(se::kCornerCount)},
        {"o1 win", o1::kWinBlock, o1::kWinPopularity(o1::kWinEntries - 1)},
        {"o1 place", o1::kPlaceBlock, o1::kPlacePopularity(o1::kPlaceEntries - 1)},
        {"o5 trio", o5::kTrioBlock, o5::kTrioPopularity(o5::kTrioEntries)},
        {"um prize totals", um::kPrizeTotals, um::kPrizeTotal(um::kPrizeTotalCount)},
        {"um finish counts", um::kFinishCounts,
         um::kFinishCount(um::kFinishBlockCount, um::kFinishPlaces)},
        {"um running styles", um::kRunningStyles, um::kRunningStyle(um::kRunningStyleCount)},
        {"ks first rides", ks::kFirstRides,
         At(ks::FirstRidePos(ks::kJumpCourse) + first_ride::kLength - 1, {0, 1})},
        {"ks first wins", ks::kFirstWins,
         At(ks::FirstWinPos(ks::kJumpCourse) + first_win::kLength - 1, {0, 1})},
        {"ks graded wins", ks::kGradedWins, At(ks::GradedWinPos(3), graded_win::kHorseName)},
        {"ch graded wins", ch::kGradedWins, At(ch::GradedWinPos(3), graded_win::kHorseName)},
        {"ks results", ks::kResultsBlocks,
         At(ks::ResultsPos(results::kAllYears), results::kCount(results::kDirtCounts(3), 6))},
        {"ch results", ch::kResultsBlocks,
         At(ch::ResultsPos(results::kAllYears), results::kCount(results::kDirtCounts(3), 6))},
    };
    for (const auto& c : cases) EXPECT_EQ(c.lastField.End(), c.block.End()) << c.what;

    // The results blocks fill their records up to the line end.
    EXPECT_EQ(ks::kResultsBlocks.End(), LineLength(RecordType::KS));
    EXPECT_EQ(ch::kResultsBlocks.End(), LineLength(RecordType::CH));
    EXPECT_EQ(results::kCount(results::kVenueJumpCounts(10), 6).offset + 6, 836);
}

TEST(RecordLayout, OddsEntryArithmetic) {
    for (int i = 0; i < o1::kWinEntries; ++i) {
        EXPECT_EQ(o1::kWinOdds(i).pos, 46 + 8 * i);
        EXPECT_EQ(o1::kWinOdds(i).len, 4);
        EXPECT_EQ(o1::kPlaceOddsLow(i).pos, 270 + 12 * i);
        EXPECT_EQ(o1::kPlaceOddsHigh(i).pos, 274 + 12 * i);
    }
    for (int n = 1; n <= o5::kTrioEntries; ++n) {
        EXPECT_EQ(o5::kTrioEntry(n).pos, 41 + 15 * (n - 1));
        EXPECT_EQ(o5::kTrioOdds(n).pos, 47 + 15 * (n - 1));
        EXPECT_EQ(o5::kTrioPopularity(n).pos, 53 + 15 * (n - 1));
    }
    EXPECT_EQ(o5::kTrioBlock.len, 12240);
}

TEST(RecordLayout, PayoutBlocksAreEntriesTimesEntryLengthInRecordOrder) {
    struct Case {
        hr::BetType type;
        int pos, len, slots, entryLen;
    } cases[] = {
        {hr::BetType::Win, 103, 39, 3, 13},
        {hr::BetType::Place, 142, 65, 5, 13},
        {hr::BetType::BracketQuinella, 207, 39, 3, 13},
        {hr::BetType::Quinella, 246, 48, 3, 16},
        {hr::BetType::QuinellaPlace, 294, 112, 7, 16},
        {hr::BetType::Exacta, 454, 96, 6, 16},
        {hr::BetType::Trio, 550, 54, 3, 18},
        {hr::BetType::Trifecta, 604, 114, 6, 19},
    };
    int previousEnd = 0;
    for (const auto& c : cases) {
        const auto& b = hr::Block(c.type);
        EXPECT_EQ(b.Block().pos, c.pos);
        EXPECT_EQ(b.Block().len, c.len);
        EXPECT_EQ(hr::Slots(c.type), c.slots);
        EXPECT_EQ(b.EntryLength(), c.entryLen);
        EXPECT_EQ(b.Block().len, b.entries * b.EntryLength());
        EXPECT_GT(b.pos, previousEnd);
        previousEnd = b.Block().End();
        // Fields of an entry are contiguous and the last entry closes the block.
        EXPECT_EQ(b.Payout(1).pos, b.Combo(1).End() + 1);
        EXPECT_EQ(b.Popularity(1).pos, b.Payout(1).End() + 1);
        EXPECT_EQ(b.Popularity(b.entries).End(), b.Block().End());
    }
    EXPECT_LE(previousEnd, LineLength(RecordType::HR));
    EXPECT_EQ(hr::Block(hr::BetType::Trifecta).Popularity(1).pos, 619);
    EXPECT_EQ(hr::Block(hr::BetType::Trifecta).Popularity(1).len, 4);
}

TEST(RecordLayout, EntryNumbersOutsideTheirBlockThrow) {
    EXPECT_THROW(ra::kPrize(0), std::out_of_range);
    EXPECT_THROW(ra::kPrize(6), std::out_of_range);
    EXPECT_THROW(ra::kAddedPrize(4), std::out_of_range);
    EXPECT_THROW(se::kCorner(5), std::out_of_range);
    EXPECT_THROW(o1::kWinOdds(-1), std::out_of_range);
    EXPECT_THROW(o1::kWinOdds(o1::kWinEntries), std::out_of_range);
    EXPECT_THROW(o5::kTrioOdds(0), std::out_of_range);
    EXPECT_THROW(o5::kTrioOdds(o5::kTrioEntries + 1), std::out_of_range);
    EXPECT_THROW(hr::Block(hr::BetType::Win).Payout(4), std::out_of_range);
    EXPECT_THROW(um::kFinishCount(28, 1), std::out_of_range);
    EXPECT_THROW(um::kFinishCount(1, 7), std::out_of_range);
    EXPECT_THROW(ks::ResultsPos(3), std::out_of_range);
    EXPECT_THROW(results::kVenueFlatCounts(11), std::out_of_range);
}

TEST(RecordLayout, HeadFieldsReadARaceKey) {
    using quindle::text::FieldAt;
    using quindle::text::FieldInt;
    const std::string rec = "SE7202401052024010506010203";
    EXPECT_EQ(FieldAt(rec, head::kRecordType), "SE");
    EXPECT_EQ(FieldAt(rec, head::kDataKind), data_kind::kResults);
    EXPECT_EQ(FieldAt(rec, head::kRaceKey), "2024010506010203");
    EXPECT_EQ(FieldInt(rec, head::kRaceDate), 20240105);
    EXPECT_EQ(FieldAt(rec, head::kVenue), "06");
    EXPECT_EQ(FieldInt(rec, head::kMonth), 1);
    EXPECT_EQ(FieldInt(rec, head::kDay), 5);
    EXPECT_EQ(FieldInt(rec, head::kMeeting), 1);
    EXPECT_EQ(FieldInt(rec, head::kDayOfMeeting), 2);
    EXPECT_EQ(FieldInt(rec, head::kRaceNumber), 3);
}
