// The tracked-horse list and its file: sorted entries without duplicates,
// CP932 lines with CR LF, only the horses added in this run.

#include "core/masterdata/tracked_horses.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/fixtures/loader_fixture.h"
#include "core/text/cp932.h"
#include "core/util/file_io.h"

namespace quindle::testing {
namespace {

namespace fs = std::filesystem;
namespace se = layout::se;
using masterdata::TrackedHorses;
using text::Sj;

std::string Runner(std::string_view pedigree, std::string_view nameUtf8) {
    return SeRec("20250105", "06", 1, 1)
        .Put(se::kPedigree, pedigree)
        .Put(se::kHorseName, text::PadRightFullWidth(Sj(nameUtf8), se::kHorseName.len))
        .Record();
}

std::string Entry(std::string_view pedigree, std::string_view nameUtf8) {
    return std::string(pedigree) + text::PadRightFullWidth(Sj(nameUtf8), se::kHorseName.len);
}

TEST(TrackedHorses, SavesTheSortedEntriesOfThisRunOnce) {
    ProgramFolderFixture folder;
    const fs::path file = folder.path() / "ChaseHorse.dat";
    TrackedHorses list;
    ASSERT_TRUE(list.Add(Runner("2021100002", "ベータ"), folder.path()).ok());
    ASSERT_TRUE(list.Add(Runner("2020100001", "アルファ"), folder.path()).ok());
    ASSERT_TRUE(list.Add(Runner("2021100002", "ベータ"), folder.path()).ok());
    const std::string two =
        Entry("2020100001", "アルファ") + "\r\n" + Entry("2021100002", "ベータ") + "\r\n";
    EXPECT_EQ(ReadFileBytes(file).value(), two);

    // After a restart the file holds only the horses added since.
    TrackedHorses restarted;
    ASSERT_TRUE(restarted.Add(Runner("2022100003", "ガンマ"), folder.path()).ok());
    EXPECT_EQ(ReadFileBytes(file).value(), Entry("2022100003", "ガンマ") + "\r\n");
}

TEST(TrackedHorses, AFailedSaveKeepsTheEntry) {
    ProgramFolderFixture folder;
    TrackedHorses list;
    const Status saved = list.Add(Runner("2020100001", "アルファ"), folder.path() / "missing");
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.error().find("ChaseHorse.dat"), std::string::npos);
    EXPECT_EQ(list.Entries().size(), 1u);
}

}  // namespace
}  // namespace quindle::testing
