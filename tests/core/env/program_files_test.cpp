#include "core/env/program_files.h"

#include <gtest/gtest.h>

#include "core/util/temp_folder.h"

namespace quindle::env {
namespace {

using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;

TEST(FeatureSwitches, FollowTheMarkerFilesInAnyLetterCase) {
    struct Case {
        std::vector<std::string> files;
        FeatureSwitches expected;
    };
    const Case kCases[] = {
        {{}, {false, false}},
        {{"Master.key"}, {true, false}},
        {{"MasterControlOrin.key"}, {false, true}},
        {{"MASTER.KEY", "mastercontrolorin.key"}, {true, true}},
        // Similar names switch nothing.
        {{"Master.key.txt", "MasterControl.key"}, {false, false}},
    };
    for (const Case& c : kCases) {
        TempFolder t;
        for (const auto& f : c.files) WriteBytes(t.path() / f, "");
        EXPECT_EQ(ReadFeatureSwitches(t.path()), c.expected) << ::testing::PrintToString(c.files);
    }
}

TEST(FeatureSwitches, AFolderOfTheMarkerNameSwitchesNothing) {
    TempFolder t;
    std::filesystem::create_directory(t.path() / "Master.key");
    EXPECT_EQ(ReadFeatureSwitches(t.path()), (FeatureSwitches{false, false}));
}

TEST(UserManual, IsFoundInAnyLetterCaseOrReportedMissing) {
    TempFolder t;
    EXPECT_EQ(FindUserManual({t.path()}), std::nullopt);
    WriteBytes(t.path() / "quindle.PDF", "%PDF");
    EXPECT_TRUE(testing::SameEntry(FindUserManual({t.path()}), t.path() / "quindle.PDF"));
}

TEST(UserManual, TheProgramFolderWinsThenTheProgramThenTheInstalledShare) {
    // An installation: bin/ holds the program, share/quindle/ its shared data;
    // the program folder is elsewhere.
    TempFolder t;
    const auto home = t.path() / "home";
    const auto bin = t.path() / "bin";
    const auto share = t.path() / "share" / "quindle";
    for (const auto& f : {home, bin, share}) std::filesystem::create_directories(f);
    const auto folders = UserManualFolders(home, bin);

    EXPECT_EQ(FindUserManual(folders), std::nullopt);
    WriteBytes(share / "Quindle.pdf", "%PDF");
    EXPECT_TRUE(testing::SameEntry(FindUserManual(folders), share / "Quindle.pdf"));
    WriteBytes(bin / "Quindle.pdf", "%PDF");
    EXPECT_TRUE(testing::SameEntry(FindUserManual(folders), bin / "Quindle.pdf"));
    WriteBytes(home / "Quindle.pdf", "%PDF");
    EXPECT_TRUE(testing::SameEntry(FindUserManual(folders), home / "Quindle.pdf"));
}

TEST(UserManual, AFolderOfTheManualNameIsNoManual) {
    TempFolder t;
    std::filesystem::create_directory(t.path() / "Quindle.pdf");
    EXPECT_EQ(FindUserManual({t.path()}), std::nullopt);
}

}  // namespace
}  // namespace quindle::env
