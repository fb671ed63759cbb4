// The small league as a store: the same seed gives the same bytes, every
// record is sound, and dates and pedigree numbers agree with each other.

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "core/store/record_check.h"
#include "core/store/record_layout.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "jvsim/league/league.h"
#include "league_fixture.h"

namespace quindle::jvsim::league::testing {
namespace {

namespace layout = store::layout;

LeagueSummary Generate(const std::filesystem::path& dir, std::uint64_t seed) {
    LeagueOptions options;
    options.outDir = dir;
    options.seed = seed;
    options.size = LeagueSize::Small;
    auto summary = GenerateLeague(options);
    EXPECT_TRUE(summary.ok()) << summary.error();
    return summary ? *summary : LeagueSummary{};
}

TEST(LeagueStore, SameSeedGivesIdenticalBytesAndAnotherSeedDiffers) {
    ScratchDir dir;
    Generate(dir.path() / "again", kSeed);
    Generate(dir.path() / "other", kSeed + 1);
    const auto first = ReadTree(SmallLeague());
    const auto again = ReadTree(dir.path() / "again");
    ASSERT_GT(first.size(), 100u);
    ASSERT_EQ(first.size(), again.size());
    for (const auto& [name, bytes] : first) {
        auto it = again.find(name);
        ASSERT_NE(it, again.end()) << name;
        EXPECT_TRUE(it->second == bytes) << name << " differs between two runs of one seed";
    }
    EXPECT_NE(ReadTree(dir.path() / "other"), first);
}

TEST(LeagueStore, RegeneratingIntoTheSameFolderReplacesTheOldLeague) {
    ScratchDir dir;
    Generate(dir.path(), kSeed + 1);
    Generate(dir.path(), kSeed);
    EXPECT_EQ(ReadTree(dir.path()), ReadTree(SmallLeague()));
}

TEST(LeagueStore, RefusesAFolderThatIsNotALeague) {
    ScratchDir dir;
    std::ofstream(dir.path() / "notes.txt") << "mine";
    LeagueOptions options;
    options.outDir = dir.path();
    auto summary = GenerateLeague(options);
    ASSERT_FALSE(summary.ok());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "notes.txt"));
}

TEST(LeagueStore, EveryRecordIsSoundAndOfItsTypesLength) {
    std::size_t records = 0;
    auto checkAll = [&](const std::vector<StoreFileRecords>& files) {
        for (const auto& f : files) {
            ASSERT_FALSE(f.records.empty()) << f.name;
            for (const auto& r : f.records) {
                ++records;
                const int length = layout::RecordLength(TypeOf(r));
                ASSERT_EQ(static_cast<int>(r.size()), length) << f.name << ": " << r.substr(0, 27);
                ASSERT_EQ(r.substr(r.size() - 2), "\r\n") << f.name;
                std::string_view line(r.data(), r.size() - 2);
                auto bad = store::CheckRecordLine(line);
                ASSERT_FALSE(bad.has_value()) << f.name << ": " << *bad;
                EXPECT_EQ(text::ToUtf8(line).find("\xEF\xBF\xBD"), std::string::npos) << f.name;
            }
        }
    };
    checkAll(SmallFiles());
    checkAll(SmallAnnouncements());
    EXPECT_GT(records, 10000u);
    // Counted as the summary counts them.
    std::int64_t counted = 0;
    for (const auto& [type, n] : SmallSummary().fileRecords) counted += n;
    for (const auto& [type, n] : SmallSummary().realtimeRecords) counted += n;
    EXPECT_EQ(counted, static_cast<std::int64_t>(records));
}

TEST(LeagueStore, AllRecordTypesAndSpecsAreThere) {
    std::set<std::string> types, specs, kinds;
    for (const auto& f : SmallFiles()) {
        specs.insert(f.spec);
        for (const auto& r : f.records) {
            types.insert(std::string(TypeOf(r)));
            kinds.insert(std::string(TypeOf(r)) + KindOf(r));
        }
    }
    EXPECT_EQ(specs, (std::set<std::string>{"DIFN", "MING", "RACE"}));
    EXPECT_EQ(types, (std::set<std::string>{"CH", "DM", "HR", "KS", "O1", "O5", "RA", "SE", "UM"}));
    // Entry lists, cards, results, local-track and overseas runs.
    for (const char* k : {"RA1", "SE1", "RA2", "SE2", "RA7", "SE7", "RAA", "SEA", "RAB", "SEB"}) {
        EXPECT_TRUE(kinds.count(k)) << k;
    }
    std::set<std::string> rtSpecs;
    for (const auto& a : SmallAnnouncements()) rtSpecs.insert(a.spec);
    EXPECT_EQ(rtSpecs, (std::set<std::string>{"0B12", "0B13", "0B30"}));
}

TEST(LeagueStore, DatesAndPedigreeYearsAgree) {
    const auto& s = SmallSummary();
    for (const auto& f : SmallFiles()) {
        for (const auto& r : f.records) {
            const std::string_view type = TypeOf(r);
            const std::string created(text::FieldAt(r, layout::head::kCreationDate));
            // A file carries no record made after it appeared.
            EXPECT_LE(created, f.stamp.substr(0, 8)) << f.name;
            if (type == "SE") {
                const int raceYear = static_cast<int>(text::FieldInt(r, layout::head::kYear));
                const int birthYear =
                    static_cast<int>(text::FieldInt(r, layout::se::kPedigreeYear));
                EXPECT_EQ(raceYear - birthYear,
                          static_cast<int>(text::FieldInt(r, layout::se::kAge)))
                    << r.substr(0, 40);
                EXPECT_LE(created, std::string(text::FieldAt(r, layout::head::kRaceDate)));
            }
            if (type == "RA" && KindOf(r) == '7') {
                const std::string day(text::FieldAt(r, layout::head::kRaceDate));
                EXPECT_GE(day, s.firstDay);
                EXPECT_LE(day, s.lastDay);
            }
            if (type == "RA" && (KindOf(r) == '1' || KindOf(r) == '2')) {
                // Entry lists and cards appear before their races.
                EXPECT_LT(f.stamp.substr(0, 8),
                          std::string(text::FieldAt(r, layout::head::kRaceDate)));
            }
            if (type == "UM") {
                EXPECT_EQ(text::FieldAt(r, layout::um::kKey).substr(0, 4),
                          text::FieldAt(r, layout::um::kBirthYear));
            }
            if (type == "KS") {
                const int born = static_cast<int>(text::FieldInt(r, layout::ks::kBirthYear));
                const int licensed = static_cast<int>(text::FieldInt(r, layout::ks::kLicenceYear));
                EXPECT_GE(licensed - born, 15) << r.substr(0, 20);
            }
        }
    }
}

TEST(LeagueStore, StoreFactsNameTheLeague) {
    const std::string ini = ReadBytes(SmallLeague() / "store.ini");
    const auto& s = SmallSummary();
    EXPECT_NE(ini.find("now=" + s.now), std::string::npos);
    EXPECT_NE(ini.find("seed=" + std::to_string(kSeed)), std::string::npos);
    EXPECT_NE(ini.find("size=small"), std::string::npos);
    EXPECT_NE(ini.find("first_day=" + s.firstDay), std::string::npos);
    EXPECT_NE(ini.find("last_day=" + s.lastDay), std::string::npos);
}

}  // namespace
}  // namespace quindle::jvsim::league::testing
