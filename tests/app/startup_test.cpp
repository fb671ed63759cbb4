#include "app/startup.h"

#include <gtest/gtest.h>

#include <map>

#include "core/text/cp932.h"
#include "core/util/folders.h"
#include "core/util/temp_folder.h"

namespace quindle::app {
using env::ErrorLog;
using env::kInstallFolderValue;
using env::kProgramName;
using env::kTimeSeriesViewerUninstallKey;
using env::kVotePluginUninstallKey;
using env::Registry;
using env::SettingsFile;

namespace {

namespace fs = std::filesystem;
using quindle::testing::ReadBytes;
using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;

// A registry holding given install folders; it counts the look-ups.
class FakeRegistry : public Registry {
  public:
    std::map<std::string, std::string, std::less<>> appPaths;  // uninstall key -> folder
    mutable int reads = 0;

    std::string ReadMachineString(std::string_view keyPath,
                                  std::string_view valueName) const override {
        ++reads;
        auto it = appPaths.find(keyPath);
        if (it == appPaths.end() || valueName != kInstallFolderValue) return {};
        return it->second;
    }
};

// The viewer's data folder as stored for an install folder of "/opt/Corvex2":
// a native path, so with backslashes throughout on Windows.
std::string ViewerDataFolder() {
    return (fs::path("/opt/Corvex2") / "Data").make_preferred().string();
}

TEST(SiblingFolders, FoundFoldersAreStoredAndTheViewerGetsItsDataFolder) {
    TempFolder t;
    SettingsFile settings(t.path(), kProgramName);
    FakeRegistry registry;
    registry.appPaths[std::string(kVotePluginUninstallKey)] = "/opt/VTX投票プラグイン";
    registry.appPaths[std::string(kTimeSeriesViewerUninstallKey)] = "/opt/Corvex2";

    ASSERT_TRUE(DiscoverSiblingFolders(settings, registry));
    EXPECT_EQ(settings.Read(env::settings::kVoteFolder), "/opt/VTX投票プラグイン");
    EXPECT_EQ(settings.Read(env::settings::kTimeSeriesFolder), ViewerDataFolder());
}

TEST(SiblingFolders, ASetFolderIsNotLookedUpAndNothingFoundWritesNothing) {
    TempFolder t;
    SettingsFile settings(t.path(), kProgramName);
    ASSERT_TRUE(settings.Write(env::settings::kVoteFolder, "/mine"));
    FakeRegistry registry;
    registry.appPaths[std::string(kVotePluginUninstallKey)] = "/elsewhere";
    registry.appPaths[std::string(kTimeSeriesViewerUninstallKey)] = "   ";  // blank

    ASSERT_TRUE(DiscoverSiblingFolders(settings, registry));
    EXPECT_EQ(registry.reads, 1);  // only the time-series folder was looked up
    EXPECT_EQ(settings.Read(env::settings::kVoteFolder), "/mine");
    EXPECT_EQ(ReadBytes(settings.Path()), "[Dir]\nVTXTohyo=/mine\n");  // jikeiretu unwritten

    // A value that is only blanks counts as not set.
    ASSERT_TRUE(settings.Write(env::settings::kVoteFolder, "\"  \""));
    registry.reads = 0;
    ASSERT_TRUE(DiscoverSiblingFolders(settings, registry));
    EXPECT_EQ(registry.reads, 2);
    EXPECT_EQ(settings.Read(env::settings::kVoteFolder), "/elsewhere");
}

StartupOptions Options(const fs::path& home, const Registry& registry) {
    StartupOptions options;
    options.sources.homeOption = home;
    options.registry = &registry;
    options.clock = [] { return LocalDateTime{2025, 1, 5, 8, 30, 0}; };
    return options;
}

TEST(Startup, PreparesTheProgramFolder) {
    TempFolder t;
    const fs::path home = t.path() / "home";
    fs::create_directories(home / "data");
    WriteBytes(home / "jockdata.kcsv", "!heading\r\nx,A,,,\r\n");
    FakeRegistry registry;
    registry.appPaths[std::string(kTimeSeriesViewerUninstallKey)] = "/opt/Corvex2";

    auto state = RunStartup(Options(home, registry));
    ASSERT_TRUE(state) << state.error();
    EXPECT_EQ(state->programFolder, home);
    EXPECT_TRUE(state->problems.empty());
    EXPECT_EQ(quindle::testing::EntryNames(home),
              (std::vector<std::string>{"CSV", "ErrorLog.txt", "SEI", "data", "jockdata.kcsv",
                                        "kaime", "quindle.ini"}));
    EXPECT_EQ(state->settings.Read(env::settings::kTimeSeriesFolder), ViewerDataFolder());
    EXPECT_EQ(state->jockeyTable.size(), 2u);
    EXPECT_EQ(ReadBytes(home / "ErrorLog.txt"),
              text::ToCp932("ソフト起動：2025/01/05 08:30:00") + "\r\n" + home.string() + "\r\n");
}

TEST(Startup, AFolderThatCannotBeMadeIsReportedAndLoggedWhileTheRestRuns) {
    TempFolder t;
    const fs::path home = t.path() / "home";
    fs::create_directories(home);
    WriteBytes(home / "SEI", "a file in the way");
    WriteBytes(home / "jockdata.kcsv", "!heading\r\n");
    FakeRegistry registry;

    auto state = RunStartup(Options(home, registry));
    ASSERT_TRUE(state) << state.error();
    ASSERT_EQ(state->problems.size(), 1u);
    EXPECT_NE(state->problems[0].find("SEI"), std::string::npos);
    EXPECT_EQ(state->jockeyTable.size(), 1u);
    ASSERT_EQ(state->errorLog.LogLines.size(), 3u);
    EXPECT_EQ(text::ToUtf8(state->errorLog.LogLines[2]),
              "【エラー】08:30:00：" + state->problems[0]);
}

// The start names, and logs, every line of the jockey table it cannot use
// (and every settings file it will not read) instead of starting without
// their marks or settings in silence.
TEST(Startup, UnusableTableLinesAndAnOversizedSettingsFileAreReported) {
    TempFolder t;
    const fs::path home = t.path() / "home";
    fs::create_directories(home);
    WriteBytes(home / "jockdata.kcsv", text::ToCp932("#騎手,人気,パターン,単,複\r\n"
                                                     "武豊,A,連続騎乗,◎,◎\r\n"
                                                     "武豊,G,連続騎乗,◎,◎\r\n") +
                                           "\x83\r\n");
    WriteBytes(home / "quindle.ini", "[Time]\r\nAutoOzGet=3\r\n");
    fs::resize_file(home / "quindle.ini", std::uintmax_t{1} << 30);  // sparse
    FakeRegistry registry;

    auto state = RunStartup(Options(home, registry));
    ASSERT_TRUE(state) << state.error();
    EXPECT_EQ(state->jockeyTable.size(), 4u);
    std::vector<std::string> expected = {
        "設定ファイルを読めません。既定の設定で続けます: ファイルが大きすぎます (上限 1 MB): " +
            (home / "quindle.ini").string(),
        (home / "jockdata.kcsv").string() +
            ": 3行目: 人気が A から F のどれでもありません: \"G\" "
            "(この行では推奨マークは付きません)",
        (home / "jockdata.kcsv").string() +
            ": 4行目: Shift-JIS (CP932) として読めないバイトがあります "
            "(この行では推奨マークは付きません)",
    };
    EXPECT_EQ(state->problems, expected);
    EXPECT_EQ(state->settings.Read(env::settings::kAutoOddsMinutes), 10);  // the default
}

}  // namespace
}  // namespace quindle::app
