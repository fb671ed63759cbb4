// The tracked-horse list and its file: sorted entries without duplicates,
// CP932 lines with CR LF, read back by the next run and changed by untracking.

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

    // The next run reads the list back and adds to it.
    std::vector<std::string> problems;
    auto restarted = TrackedHorses::Read(folder.path(), problems);
    ASSERT_TRUE(restarted.ok()) << restarted.error();
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(restarted->Contains("2021100002"));
    ASSERT_TRUE(restarted->Add(Runner("2022100003", "ガンマ"), folder.path()).ok());
    EXPECT_EQ(ReadFileBytes(file).value(), two + Entry("2022100003", "ガンマ") + "\r\n");

    // Untracking saves the rest; a horse not in the list changes nothing.
    ASSERT_TRUE(restarted->Remove("2020100001", folder.path()).ok());
    ASSERT_TRUE(restarted->Remove("1999999999", folder.path()).ok());
    EXPECT_EQ(ReadFileBytes(file).value(),
              Entry("2021100002", "ベータ") + "\r\n" + Entry("2022100003", "ガンマ") + "\r\n");
    EXPECT_FALSE(restarted->Contains("2020100001"));
}

TEST(TrackedHorses, ReadingPassesOverLinesThatAreNoEntry) {
    ProgramFolderFixture folder;
    std::vector<std::string> problems;
    auto none = TrackedHorses::Read(folder.path(), problems);
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none->Empty());

    // LF alone and a missing last line end are taken too; a blank line is no problem.
    folder.WriteBytes(folder.path() / "ChaseHorse.dat",
                      Entry("2021100002", "ベータ") + "\n\r\nabc\r\n20201X0001" +
                          Entry("", "アルファ") + "\r\n" + Entry("2020100001", "アルファ"));
    auto read = TrackedHorses::Read(folder.path(), problems);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->Entries(), (std::vector<std::string>{Entry("2020100001", "アルファ"),
                                                         Entry("2021100002", "ベータ")}));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("3行目"), std::string::npos) << problems[0];
    EXPECT_NE(problems[1].find("4行目"), std::string::npos) << problems[1];
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
