#include "core/util/folders.h"

#include <gtest/gtest.h>

#include "core/env/program_folder.h"
#include "core/util/temp_folder.h"

namespace quindle {
namespace {

namespace fs = std::filesystem;
using quindle::testing::EntryNames;
using quindle::testing::SameEntry;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;

using env::ChooseProgramFolder;
using env::ProgramFolderSources;
using Names = std::vector<std::string>;

TEST(Folders, StartupFoldersAreCreatedUnderTheirCanonicalNames) {
    TempFolder t;
    ASSERT_TRUE(CreateStartupFolders(t.path()));
    EXPECT_EQ(EntryNames(t.path()), (Names{"CSV", "Data", "SEI", "kaime"}));
    ASSERT_TRUE(CreateStartupFolders(t.path()));  // a second start changes nothing
    EXPECT_EQ(EntryNames(t.path()), (Names{"CSV", "Data", "SEI", "kaime"}));
}

TEST(Folders, AFolderOfAnotherCaseIsFoundNotDuplicated) {
    TempFolder t;
    fs::create_directory(t.path() / "data");
    fs::create_directory(t.path() / "csv");
    fs::create_directory(t.path() / "KAIME");
    ASSERT_TRUE(CreateStartupFolders(t.path()));
    EXPECT_EQ(EntryNames(t.path()), (Names{"KAIME", "SEI", "csv", "data"}));

    auto data = FindOrCreateFolder(t.path(), kDataFolder);
    ASSERT_TRUE(data);
    EXPECT_TRUE(SameEntry(*data, t.path() / "data"));
    EXPECT_TRUE(SameEntry(FindFolder(t.path(), "DATA"), t.path() / "data"));
    EXPECT_FALSE(FindFolder(t.path(), "UMA"));
}

TEST(Folders, AnExactMatchWinsAndFilesAreNotFolders) {
    TempFolder t;
    fs::create_directory(t.path() / "DATA");
    fs::create_directory(t.path() / "Data");
    WriteBytes(t.path() / "sei", "not a folder");
    // Where letter case is ignored, "DATA" and "Data" are one folder.
    EXPECT_TRUE(SameEntry(FindFolder(t.path(), "Data"), t.path() / "Data"));
    EXPECT_TRUE(SameEntry(FindFolder(t.path(), "data"), t.path() / "DATA"));  // the smallest name
    EXPECT_FALSE(FindFolder(t.path(), "SEI"));
    EXPECT_TRUE(SameEntry(FindFile(t.path(), "SEI"), t.path() / "sei"));
    EXPECT_EQ(FileInFolder(t.path(), "Master.key"), t.path() / "Master.key");
}

TEST(Folders, AFolderThatCannotBeCreatedStopsWithItsName) {
    TempFolder t;
    WriteBytes(t.path() / "CSV", "a file in the way");
    Status s = CreateStartupFolders(t.path());
    ASSERT_FALSE(s);
    EXPECT_NE(s.error().find("CSV"), std::string::npos) << s.error();
    // The folders before it were made, the one after it was not.
    EXPECT_EQ(EntryNames(t.path()), (Names{"CSV", "Data", "kaime"}));
}

TEST(ProgramFolder, IsChosenInOrderAndCreated) {
    TempFolder t;
    const fs::path exe = t.path() / "bin";
    fs::create_directory(exe);
    struct Case {
        const char* label;
        ProgramFolderSources sources;
        fs::path expected;
    } cases[] = {
        {"--home", {t.path() / "opt" / "", "env", exe, "/xdg", "/home/u"}, t.path() / "opt"},
        {"QUINDLE_HOME", {"", (t.path() / "env").string(), exe, "", ""}, t.path() / "env"},
        {"executable", {"", "", exe, (t.path() / "xdg").string(), ""}, exe},
        {"XDG",
         {"", "", t.path() / "none", (t.path() / "xdg").string(), "/h"},
         t.path() / "xdg" / "quindle"},
        {"HOME",
         {"", "", {}, "relative/xdg", (t.path() / "h").string()},
         t.path() / "h" / ".local" / "share" / "quindle"},
#if !defined(_WIN32)
        // Installed: even where /usr/bin is writable (root), data goes to the user's folder.
        {"installed", {"", "", "/usr/bin", (t.path() / "xdg").string(), ""},
         t.path() / "xdg" / "quindle"},
#endif
    };
    for (const auto& c : cases) {
        auto folder = ChooseProgramFolder(c.sources);
        ASSERT_TRUE(folder) << c.label << ": " << folder.error();
        EXPECT_EQ(*folder, c.expected) << c.label;
        EXPECT_TRUE(fs::is_directory(*folder)) << c.label;
    }
    EXPECT_FALSE(ChooseProgramFolder({}));
}

}  // namespace
}  // namespace quindle
