// The small league's masters and recommendation table agree with the races
// the league ran.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "jvsim/league/extra_layout.h"
#include "league_fixture.h"

namespace quindle::jvsim::league::testing {
namespace {

namespace layout = store::layout;
using text::FieldAt;
using text::FieldInt;

// The last master record of each key.
std::map<std::string, std::string> LatestMasters(std::string_view type, text::FieldPos key) {
    std::map<std::string, std::string> out;
    for (const auto& f : SmallFiles()) {
        for (const auto& r : f.records) {
            if (TypeOf(r) == type) out[std::string(FieldAt(r, key))] = r;
        }
    }
    return out;
}

std::int64_t Starts(const std::string& r, int pos, int count, int width) {
    std::int64_t sum = 0;
    for (int k = 0; k < count; ++k) sum += FieldInt(r, {pos + width * k, width});
    return sum;
}

TEST(LeagueMasters, HorseCountsAddUpAndCoverTheRecordedRuns) {
    namespace um = layout::um;
    // Started runs of each horse in the results.
    std::map<std::string, int> started, startedCentral;
    for (const auto& f : SmallFiles()) {
        for (const auto& r : f.records) {
            if (TypeOf(r) != "SE" || (KindOf(r) != '7' && KindOf(r) != 'A' && KindOf(r) != 'B'))
                continue;
            if (FieldInt(r, layout::se::kAbnormality) == 1) continue;
            std::string pedigree(FieldAt(r, layout::se::kPedigree));
            ++started[pedigree];
            if (KindOf(r) == '7') ++startedCentral[pedigree];
        }
    }
    const auto masters = LatestMasters("UM", um::kKey);
    ASSERT_GT(masters.size(), 500u);
    int covered = 0;
    for (const auto& [pedigree, r] : masters) {
        auto blockStarts = [&](int b) { return Starts(r, um::kFinishBlock(b).pos, 6, 3); };
        const auto central = blockStarts(um::kCentral);
        EXPECT_GE(blockStarts(um::kAll), central);
        EXPECT_EQ(central, blockStarts(um::kTurfStraight) + blockStarts(um::kTurfRight) +
                               blockStarts(um::kTurfLeft) + blockStarts(um::kDirtStraight) +
                               blockStarts(um::kDirtRight) + blockStarts(um::kDirtLeft))
            << pedigree;
        std::int64_t going = 0, distance = 0;
        for (int b = um::kTurfGood; b <= um::kDirtHeavy; ++b) going += blockStarts(b);
        for (int b = um::kTurfUpTo1600; b <= um::kDirtFrom2201; ++b) distance += blockStarts(b);
        EXPECT_EQ(going, central) << pedigree;
        EXPECT_EQ(distance, central) << pedigree;
        if (started.count(pedigree)) {
            ++covered;
            EXPECT_GE(blockStarts(um::kAll), started[pedigree]) << pedigree;
            EXPECT_GE(central, startedCentral[pedigree]) << pedigree;
        }
    }
    EXPECT_GT(covered, 500);
}

TEST(LeagueMasters, JockeyAndTrainerResultsOfThisYearAreTheLeaguesRides) {
    namespace res = layout::results;
    // Started rides of the last race year by rider and by trainer.
    const std::string year = SmallSummary().lastDay.substr(0, 4);
    std::map<std::string, std::int64_t> rides, wins, trains;
    for (const auto& f : SmallFiles()) {
        for (const auto& r : f.records) {
            if (TypeOf(r) != "SE" || KindOf(r) != '7' || FieldAt(r, layout::head::kYear) != year)
                continue;
            if (FieldInt(r, layout::se::kAbnormality) == 1) continue;
            std::string jockey(FieldAt(r, layout::se::kJockeyCode));
            ++rides[jockey];
            ++trains[std::string(FieldAt(r, layout::se::kTrainerCode))];
            if (FieldInt(r, layout::se::kFinish) == 1) ++wins[jockey];
        }
    }
    auto checkBlock = [](const std::string& r, int pos, const std::string& who) {
        std::int64_t flat = Starts(r, pos + res::kFlatCounts.offset, 6, 6);
        std::int64_t venues = 0, bands = 0;
        for (int v = 1; v <= res::kVenues; ++v)
            venues += Starts(r, pos + res::kVenueFlatCounts(v).offset, 6, 6);
        for (int d = 1; d <= res::kDistanceBands; ++d) {
            bands += Starts(r, pos + res::kTurfCounts(d).offset, 6, 6) +
                     Starts(r, pos + res::kDirtCounts(d).offset, 6, 6);
        }
        EXPECT_EQ(venues, flat) << who;
        EXPECT_EQ(bands, flat) << who;
        return flat;
    };
    int riders = 0;
    for (const auto& [code, r] : LatestMasters("KS", layout::ks::kKey)) {
        const int thisYear = layout::ks::ResultsPos(res::kThisYear);
        EXPECT_EQ(FieldAt(r, thisYear + res::kYear.offset, 4), year);
        EXPECT_EQ(checkBlock(r, thisYear, code), rides[code]) << code;
        EXPECT_EQ(FieldInt(r, {thisYear + res::kFlatCounts.offset, 6}), wins[code]) << code;
        checkBlock(r, layout::ks::ResultsPos(res::kLastYear), code);
        EXPECT_GE(checkBlock(r, layout::ks::ResultsPos(res::kAllYears), code), rides[code]) << code;
        if (rides[code] > 0) ++riders;
    }
    EXPECT_GT(riders, 40);
    for (const auto& [code, r] : LatestMasters("CH", layout::ch::kKey)) {
        EXPECT_EQ(checkBlock(r, layout::ch::ResultsPos(res::kThisYear), code), trains[code])
            << code;
    }
}

TEST(LeagueMasters, RecommendationTableHasItsHeadingFirstAndKnownRiders) {
    const auto lines = SplitRecords(ReadBytes(SmallLeague() / "jockdata.kcsv"));
    ASSERT_GE(lines.size(), 2u);
    std::set<std::string> names;
    for (const auto& [code, r] : LatestMasters("KS", layout::ks::kKey)) {
        std::string shortName(FieldAt(r, extra::ks::kShortName));
        std::string stripped;
        const std::string& blank = text::Sj("　");
        for (std::size_t i = 0; i < shortName.size();) {
            if (shortName.compare(i, 2, blank) == 0) {
                i += 2;
            } else {
                stripped += shortName[i++];
            }
        }
        names.insert(std::string(text::TrimBlanks(stripped)));
    }
    const std::set<std::string> patterns = {text::Sj("テン乗り"), text::Sj("連続騎乗"),
                                            text::Sj("乗り戻り")};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].substr(lines[i].size() - 2), "\r\n");
        std::string line = lines[i].substr(0, lines[i].size() - 2);
        if (i > 0) {
            EXPECT_LT(lines[0], lines[i]) << "the heading sorts first";
        }
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            auto comma = line.find(',', start);
            fields.push_back(line.substr(start, comma - start));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        ASSERT_EQ(fields.size(), 5u) << text::ToUtf8(line);
        if (i == 0) continue;
        EXPECT_TRUE(names.count(fields[0])) << text::ToUtf8(fields[0]);
        EXPECT_TRUE(fields[1].size() == 1 && fields[1][0] >= 'A' && fields[1][0] <= 'F');
        EXPECT_TRUE(patterns.count(fields[2])) << text::ToUtf8(fields[2]);
        EXPECT_TRUE(fields[3].empty() || fields[3] == text::Sj("◎"));
        EXPECT_TRUE(fields[4].empty() || fields[4] == text::Sj("◎"));
        EXPECT_FALSE(fields[3].empty() && fields[4].empty());
    }
}

}  // namespace
}  // namespace quindle::jvsim::league::testing
