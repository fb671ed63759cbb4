#include "core/store/files/line_merge.h"

#include <gtest/gtest.h>

#include "core/store/files/record_builder.h"
#include "core/store/files/record_line.h"
#include "core/text/cp932.h"

using namespace quindle::store;
using layout::RecordType;
using quindle::Status;
using quindle::store::testing::Rec;

namespace {

std::string RaLine(int race, const std::string& body = "", const std::string& kind = "7") {
    return Rec(RecordType::RA).Kind(kind).Race(race).Body(body).Line();
}

LineList Merged(std::vector<std::string> start, const std::vector<std::string>& lines,
                bool dropBlankHead = false, quindle::text::FieldPos key = layout::head::kRaceKey) {
    LineList file{std::move(start), false};
    for (const auto& l : lines) MergeKeyedLine(file, l, key, dropBlankHead);
    return file;
}

TEST(KeyedMerge, OneLinePerKeyReplacedInPlaceAndOrderedByKey) {
    // Same record twice: one line.
    EXPECT_EQ(Merged({}, {RaLine(3), RaLine(3)}).lines, std::vector<std::string>{RaLine(3)});
    // A newer version replaces the old line; the others stay, all in key order.
    const auto file = Merged({RaLine(5), RaLine(1), RaLine(3, "OLD")}, {RaLine(3, "NEW")});
    EXPECT_EQ(file.lines, (std::vector<std::string>{RaLine(1), RaLine(3, "NEW"), RaLine(5)}));
    // The key is positions 12-27 only: another data kind or creation date still
    // replaces the line of the same race.
    std::string other = RaLine(2, "B", "1");
    other.replace(3, 8, "20241231");
    EXPECT_EQ(Merged({RaLine(2, "A", "7")}, {other}).lines, std::vector<std::string>{other});
    // Only the first line of an equal key is replaced (a file with a duplicate).
    const auto dup = Merged({RaLine(4, "X"), RaLine(4, "Y")}, {RaLine(4, "Z")});
    EXPECT_EQ(dup.lines, (std::vector<std::string>{RaLine(4, "Y"), RaLine(4, "Z")}));
}

TEST(KeyedMerge, MasterFilesCompareTheirOwnKey) {
    const auto a = Rec(RecordType::KS).Code("01155").Body("OLD").Line();
    const auto b = Rec(RecordType::KS).Code("01156").Line();
    const auto a2 = Rec(RecordType::KS).Code("01155").Body("NEW").Line();
    const auto file = Merged({}, {b, a, a2}, false, layout::ks::kKey);
    EXPECT_EQ(file.lines, (std::vector<std::string>{a2, b}));
}

TEST(KeyedMerge, BlankHeadLineDroppedOnlyWhenAsked) {
    const std::string blank(RaLine(1).size(), ' ');
    struct Case {
        std::vector<std::string> start;
        bool drop;
        std::vector<std::string> expected;
    } cases[] = {
        {{RaLine(2), blank}, true, {RaLine(1), RaLine(2)}},
        {{RaLine(2), blank}, false, {blank, RaLine(1), RaLine(2)}},
        // One line only, even when two are blank; an empty line is blank too.
        {{"", blank}, true, {blank, RaLine(1)}},
        {{}, true, {RaLine(1)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Merged(c.start, {RaLine(1)}, c.drop).lines, c.expected);
    }
}

TEST(KeyedMerge, OrderIgnoresLetterCaseButNotCp932TrailBytes) {
    using quindle::text::ToCp932;
    struct Case {
        std::string a, b;
        int sign;
    } cases[] = {
        {"RA0abc", "RA0ABD", -1},
        {"RA0ABC", "RA0abc", 0},
        {"ab", "abc", -1},
        {"0", "A", -1},
        // ア is 83 41 and チ 83 60: folding the trail byte 41 ('A') would tie them.
        {ToCp932("ア"), ToCp932("チ"), -1},
        {ToCp932("ア"), ToCp932("ア"), 0},
        {ToCp932("アa"), ToCp932("アB"), -1},
    };
    for (const auto& c : cases) {
        const int got = CompareLinesIgnoringCase(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " / " << c.b;
    }
    // Lines equal but for case still have one order, so every merge order gives
    // the same file.
    EXPECT_TRUE(LineOrderLess("RA0ABC", "RA0abc"));
    EXPECT_FALSE(LineOrderLess("RA0abc", "RA0ABC"));
}

TEST(KeyedMerge, InsertingIntoAnOrderedListGivesTheFullSortsResult) {
    // The first merge of an unordered file orders it; later merges insert.
    std::vector<std::string> start = {RaLine(9), "ra0000000lower", RaLine(2, "A"), "  "};
    std::vector<std::string> stream;
    for (int i = 0; i < 60; ++i) stream.push_back(RaLine((i * 7) % 12 + 1, std::to_string(i)));
    LineList inserted{start, false};
    std::vector<std::string> resorted = start;
    for (const auto& l : stream) {
        MergeKeyedLine(inserted, l, layout::head::kRaceKey, true);
        LineList once{resorted, false};
        MergeKeyedLine(once, l, layout::head::kRaceKey, true);
        resorted = once.lines;
        ASSERT_EQ(inserted.lines, resorted);
    }
}

TEST(ReplacingMerge, EveryLineOfTheKeyIsReplacedAndNothingIsReordered) {
    const std::string blank(RaLine(1).size(), ' ');
    LineList file{{RaLine(5), blank, RaLine(3, "A"), RaLine(3, "B")}, false};
    ReplaceKeyedLines(file, RaLine(3, "C"), layout::head::kRaceKey);
    EXPECT_EQ(file.lines,
              (std::vector<std::string>{RaLine(5), blank, RaLine(3, "C"), RaLine(3, "C")}));
    ReplaceKeyedLines(file, RaLine(1), layout::head::kRaceKey);
    EXPECT_EQ(file.lines.back(), RaLine(1));
    EXPECT_EQ(file.lines.size(), 5u);
}

TEST(SlotFile, RaceThreeHorseSevenIsLine42OfAFreshFile) {
    LineList file{BlankSlotLines(553), false};
    ASSERT_EQ(file.lines.size(), 216u);
    const std::string line = Rec(RecordType::SE).Race(3).Horse(7).Line();
    PlaceSlotLine(file, line, *SlotOfRecord(line));
    for (size_t i = 0; i < file.lines.size(); ++i) {
        EXPECT_EQ(file.lines[i], i == 42 ? line : std::string(553, ' ')) << i;
    }
    // A damaged file with too few lines is filled up with blank slots.
    LineList shortFile{{line}, false};
    PlaceSlotLine(shortFile, line, 100);
    EXPECT_EQ(shortFile.lines.size(), 216u);
    EXPECT_EQ(shortFile.lines[50], std::string(553, ' '));
}

TEST(SlotFile, SlotIndexStaysInsideTheVenuesTwelveRaces) {
    struct Case {
        int race, horse;
        std::optional<int> slot;
    } cases[] = {
        {1, 1, 0},  {12, 18, 215}, {3, 7, 42},  {2, 1, 18},
        {0, 1, {}}, {1, 0, {}},    {1, 19, {}}, {13, 1, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SlotIndex(c.race, c.horse), c.slot);
}

TEST(RecordLine, RecordsOfAnotherLengthOrLineBreakAreRefused) {
    const std::string se = Rec(RecordType::SE).Record();
    EXPECT_TRUE(CheckRecord(se).ok());
    EXPECT_EQ(LineOfRecord(se).size(), 553u);

    const Status shortRecord = CheckRecord(se.substr(0, 552) + "\r\n");
    ASSERT_FALSE(shortRecord.ok());
    for (const char* part : {"SE", "555", "554"}) {
        EXPECT_NE(shortRecord.error().find(part), std::string::npos) << shortRecord.error();
    }
    std::string noCrLf = se;
    noCrLf.replace(noCrLf.size() - 2, 2, "  ");
    std::string inner = se;
    inner[100] = '\n';
    for (const std::string& bad : {noCrLf, inner, std::string("XX") + se.substr(2)}) {
        EXPECT_FALSE(CheckRecord(bad).ok());
    }
}

TEST(RecordLine, NormalisationBlanksKindAndCreationDateOnly) {
    const Rec se = Rec(RecordType::SE).Kind("7");
    const std::string line = NormalisedLine(se.Line());
    EXPECT_EQ(line, se.Normal());
    EXPECT_EQ(line.substr(0, 27),
              "SE000000000"
              "2025010506010101");
}

}  // namespace
