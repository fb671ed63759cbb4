// The JV-Link substitute driven through the result paths its callers rely on.

#include "jvsim/substitute/sim_jvlink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/jvlink/result_text.h"
#include "sim_fixture.h"

namespace quindle::jvsim {
namespace {

using testing::kRace1;
using testing::kRace2;
using testing::RunScript;
using testing::TempDir;

class SimJvLinkTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::WriteSmallStore(dir_.path()); }

    // A substitute on the small store; `options` are "name=value" settings.
    std::unique_ptr<SimJvLink> Make(std::vector<std::pair<std::string, std::string>> options = {}) {
        SimSettings settings;
        settings.store = dir_.path();
        for (const auto& [name, value] : options) {
            auto s = ApplySimOption(settings, name, value);
            EXPECT_TRUE(s.ok()) << s.error();
        }
        auto link = SimJvLink::FromSettings(settings);
        EXPECT_TRUE(link.ok()) << link.error();
        return link ? std::move(*link) : nullptr;
    }

    std::string Run(std::string_view script,
                    std::vector<std::pair<std::string, std::string>> options = {}) {
        auto link = Make(std::move(options));
        return link ? RunScript(*link, script) : "no substitute";
    }

    TempDir dir_;
};

// Every file of "open" (RACEDIFN from 1 January, option 1) read through with
// everything downloaded: RACE_A, RACE_B, DIFN_A, each ended by -1, then 0.
constexpr const char* kAllThree = "RA:a1 SE:a2 SE:a3 -1 HR:b1 O1:b2 -1 UM:c1 KS:c2 CH:c3 -1 0";

TEST_F(SimJvLinkTest, JVInitChecksTheSoftwareId) {
    struct Case {
        std::string sid;
        int expected;
    } cases[] = {
        {"UNKNOWN", 0},     {std::string(64, 'A'), 0}, {"", -101}, {std::string(65, 'A'), -102},
        {" UNKNOWN", -103},
    };
    for (const auto& c : cases) {
        auto link = Make();
        EXPECT_EQ(link->JVInit(c.sid), c.expected) << "'" << c.sid << "'";
        // A failed JVInit leaves the component uninitialised.
        EXPECT_EQ(RunScript(*link, "open"), c.expected == 0 ? "0(3/3/20250104120000)" : "-201");
    }
}

TEST_F(SimJvLinkTest, CallsOutOfOrderGiveTheComponentsCodes) {
    struct Case {
        const char* what;
        const char* script;
        const char* expected;
    } cases[] = {
        {"before JVInit", "open rt:0B30:2025010506010101 status read skip cancel ui close",
         "-201 -201 -201 -201 -201 -201 0 0"},
        {"no session", "init status read skip cancel close", "0 -203 -203 -203 -203 0"},
        {"JVOpen session open", "init open open rt:0B30:2025010506010101",
         "0 0(3/3/20250104120000) -202 -202"},
        {"JVRTOpen session open", "init rt:0B30:2025010506010101 rt:0B30:2025010506010101 open",
         "0 0 -202 -202"},
        {"closed session", "init open close status read open",
         "0 0(3/3/20250104120000) 0 -203 -203 0(3/3/20250104120000)"},
        {"JVStatus in a real-time session", "init rt:0B30:2025010506010101 status", "0 0 -203"},
        {"nothing newer opens no session", "init open:RACE:20250105000000:1 rt:0B13:20250105",
         "0 -1 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(c.script), c.expected) << c.what;
}

TEST_F(SimJvLinkTest, ParameterErrors) {
    struct Case {
        const char* script;
        const char* expected;
    } cases[] = {
        {"open:RAC:20250101000000:1", "-111"},
        {"open:RACEXXXX:20250101000000:1", "-111"},
        {"open:0B30:20250101000000:1", "-111"},
        {"open:race:20250101000000:1", "-111"},
        {"open:RACE:2025010100000:1", "-112"},
        {"open:RACE:20251301000000:1", "-112"},
        {"open:RACE:20250229000000:1", "-112"},
        {"open:RACE:20250101250000:1", "-112"},
        {"open:RACE:20250102000000-20250101000000:1", "-112"},
        {"open:RACE:20250101000000:0", "-115"},
        {"open:RACE:20250101000000:5", "-115"},
        {"open:DIFN:20250101000000:2", "-116"},
        {"open:RACEMING:20250101000000:2", "-116"},
        {"open:TCOV:20250101000000:3", "-116"},
        {"open:RCOV:20250101000000:4", "-116"},
        {"rt:0B99:20250105", "-111"},
        {"rt:RACE:20250105", "-111"},
        {"rt:0B30:20250105", "-114"},
        {"rt:0B30:20250105060101", "-114"},
        {"rt:0B30:2025013206010101", "-114"},
        {"rt:0B12:2025010", "-114"},
        {"rt:0B12:20250132", "-114"},
        {"rt:0B13:2025010506010101X", "-114"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(std::string("init ") + c.script), std::string("0 ") + c.expected) << c.script;
    }
}

TEST_F(SimJvLinkTest, JVOpenChoosesFilesByOptionFromTimeAndNow) {
    // Everything local, so that this table is only about which files come.
    // After a JVOpen that opened nothing the reads answer -203.
    constexpr const char* kRaceAB = "RA:a1 SE:a2 SE:a3 -1 HR:b1 O1:b2 -1 0";
    struct Case {
        const char* open;
        const char* now;  // empty: the store's fact, 202501061200
        std::string expected;
    } cases[] = {
        // Option 1: strictly newer than the from-time; RACE_C lies after now.
        {"open:RACE:20250101000000:1", "", std::string("0(2/0/20250104100000) ") + kRaceAB},
        {"open:RACE:20250104095959:1", "", std::string("0(2/0/20250104100000) ") + kRaceAB},
        {"open:RACE:20250104100000:1", "", "-1 -203"},
        // Set-up: everything from the from-time on.
        {"open:RACE:20250104100000:3", "", std::string("0(2/0/20250104100000) ") + kRaceAB},
        {"open:RACE:20250104100000:4", "", std::string("0(2/0/20250104100000) ") + kRaceAB},
        {"open:RACE:20250104100001:4", "", "-1 -203"},
        // This week's data is served like option 1.
        {"open:RACE:20250101000000:2", "", std::string("0(2/0/20250104100000) ") + kRaceAB},
        // Concatenated specs come in one delivery order, whatever the spec order.
        {"open:RACEDIFN:20250104100000:1", "", "0(1/0/20250104120000) UM:c1 KS:c2 CH:c3 -1 0"},
        {"open:DIFNRACE:20250101000000:1", "", std::string("0(3/0/20250104120000) ") + kAllThree},
        {"open:RACEMINGDIFN:20250104110000:3", "",
         "0(2/0/20250105090000) UM:c1 KS:c2 CH:c3 -1 DM:d1 -1 0"},
        {"open:MING:20250101000000:1", "", "0(1/0/20250105090000) DM:d1 -1 0"},
        // An end time bounds the files too.
        {"open:RACEDIFN:20250101000000-20250104110000:1", "",
         std::string("0(2/0/20250104100000) ") + kRaceAB},
        // The simulated now decides which files exist yet.
        {"open:RACE:20250105000000:1", "202501061800", "0(1/0/20250106180000) RA:e1 -1 0"},
        {"open:RACE:20250105000000:1", "202501061759", "-1 -203"},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, std::string>> options = {{"predownloaded", "1"}};
        if (*c.now) options.emplace_back("now", c.now);
        EXPECT_EQ(Run(std::string("init ") + c.open + " drain", options), "0 " + c.expected)
            << c.open << " now " << c.now;
    }
}

TEST_F(SimJvLinkTest, DownloadStageRisesToDownloadCountAndReadsWaitForTheirFiles) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> options;
        const char* script;
        std::string expected;
    } cases[] = {
        {"one file per JVStatus call",
         {},
         "init open status status status status drain",
         std::string("0 0(3/3/20250104120000) 1 2 3 3 ") + kAllThree},
        {"a larger step",
         {{"download_step", "2"}},
         "init open status status drain",
         std::string("0 0(3/3/20250104120000) 2 3 ") + kAllThree},
        // A reader that does not poll meets -3 before every file it waits for,
        // and the download goes on while it waits.
        {"reading at once",
         {},
         "init open drain",
         "0 0(3/3/20250104120000) -3 RA:a1 SE:a2 SE:a3 -1 -3 HR:b1 O1:b2 -1 -3 UM:c1 KS:c2 "
         "CH:c3 -1 0"},
        {"first file only",
         {},
         "init open status drain",
         "0 0(3/3/20250104120000) 1 RA:a1 SE:a2 SE:a3 -1 -3 HR:b1 O1:b2 -1 -3 UM:c1 KS:c2 CH:c3 "
         "-1 0"},
        // Files downloaded once stay local for the next session.
        {"second session",
         {},
         "init open status status status close open drain",
         std::string("0 0(3/3/20250104120000) 1 2 3 0 0(3/0/20250104120000) ") + kAllThree},
        {"partly downloaded before",
         {},
         "init open status close open status status drain",
         std::string("0 0(3/3/20250104120000) 1 0 0(3/2/20250104120000) 1 2 ") + kAllThree},
        {"pre-downloaded store",
         {{"predownloaded", "1"}},
         "init open status drain",
         std::string("0 0(3/0/20250104120000) 0 ") + kAllThree},
        // On the clock, an hour per file: nothing arrives during the test.
        {"clock-driven",
         {{"download_ms", "3600000"}},
         "init open status status read read",
         "0 0(3/3/20250104120000) 0 0 -3 -3"},
        {"end stays the end",
         {{"predownloaded", "1"}},
         "init open:MING:20250101000000:1 drain read",
         "0 0(1/0/20250105090000) DM:d1 -1 0 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(c.script, c.options), c.expected) << c.what;
}

TEST_F(SimJvLinkTest, JVReadNamesTheFileAndCutsToTheBufferSize) {
    auto link = Make({{"predownloaded", "1"}});
    ASSERT_EQ(RunScript(*link, "init open:RACE:20250101000000:1"), "0 0(2/0/20250104100000)");
    std::string buffer, fileName;
    int size = 100000;
    ASSERT_EQ(link->JVRead(buffer, size, fileName), 60);
    EXPECT_EQ(size, 60);
    EXPECT_EQ(buffer, testing::Rec("RA", kRace1, "a1"));
    EXPECT_EQ(fileName, "RACE_A");
    size = 20;
    ASSERT_EQ(link->JVRead(buffer, size, fileName), 20);
    EXPECT_EQ(buffer, testing::Rec("SE", kRace1, "a2").substr(0, 20));
    EXPECT_EQ(size, 20);
    size = 100000;
    ASSERT_EQ(link->JVRead(buffer, size, fileName), 60);
    ASSERT_EQ(link->JVRead(buffer, size, fileName), -1);
    EXPECT_EQ(fileName, "RACE_A");  // the file that ended
    EXPECT_EQ(size, 0);
    EXPECT_TRUE(buffer.empty());
    ASSERT_EQ(link->JVRead(buffer, size, fileName), 60);
    EXPECT_EQ(fileName, "RACE_B");
}

TEST_F(SimJvLinkTest, JVSkipPassesTheRestOfTheFileAndJVCancelStops) {
    struct Case {
        const char* what;
        const char* script;
        const char* expected;
    } cases[] = {
        {"skip after the first record", "init open read skip drain",
         "0 0(3/0/20250104120000) RA:a1 0 HR:b1 O1:b2 -1 UM:c1 KS:c2 CH:c3 -1 0"},
        {"skip with no file begun does nothing", "init open skip read read skip skip read",
         "0 0(3/0/20250104120000) 0 RA:a1 SE:a2 0 0 HR:b1"},
        {"skip after a boundary does nothing", "init open read read read read skip read",
         "0 0(3/0/20250104120000) RA:a1 SE:a2 SE:a3 -1 0 HR:b1"},
        // Resuming a set-up run: skip every file before the one last stored.
        {"skip to a file", "init open:RACEDIFN:20250101000000:3 read skip read skip read",
         "0 0(3/0/20250104120000) RA:a1 0 HR:b1 0 UM:c1"},
        {"skip in real time", "init rt:0B12:20250105 read skip read", "0 0 RA:r1 0 0"},
        {"cancel while reading", "init open read cancel read status open close open",
         "0 0(3/0/20250104120000) RA:a1 0 -203 -203 -202 0 0(3/0/20250104120000)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.script, {{"predownloaded", "1"}}), c.expected) << c.what;
    }
}

TEST_F(SimJvLinkTest, JVCancelStopsTheDownloadWhereItIs) {
    // Two files were downloaded before the cancel; only the third is left.
    EXPECT_EQ(Run("init open status status cancel status cancel close open"),
              "0 0(3/3/20250104120000) 1 2 0 -203 0 0 0(3/1/20250104120000)");
}

TEST_F(SimJvLinkTest, RealtimeServesWhatTheStoreHasAtTheSimulatedMoment) {
    struct Case {
        const char* now;
        const char* script;
        const char* expected;
    } cases[] = {
        {"202501050929", "rt:0B30:2025010506010101", "-1"},
        {"202501050930", "rt:0B30:2025010506010101 drain", "0 O1:v1 O5:v1 -1 0"},
        // A later announcement replaces the earlier one.
        {"202501051000", "rt:0B30:2025010506010101 drain", "0 O1:v2 O5:v2 -1 0"},
        {"202501051200", "rt:0B30:2025010506010102", "-1"},
        {"202501051029", "rt:0B12:20250105", "-1"},
        {"202501051030", "rt:0B12:20250105 drain", "0 RA:r1 SE:r1 HR:r1 -1 0"},
        {"202501051100", "rt:0B12:20250105 drain", "0 RA:r1 SE:r1 HR:r1 RA:r2 SE:r2 HR:r2 -1 0"},
        // One race of the day: only its records.
        {"202501051100", "rt:0B12:2025010506010102 drain", "0 RA:r2 SE:r2 HR:r2 -1 0"},
        {"202501050859", "rt:0B13:20250105", "-1"},
        {"202501050900", "rt:0B13:20250105 drain", "0 DM:m1 DM:m2 -1 0"},
        {"202501050900", "rt:0B13:20250106", "-1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(std::string("init ") + c.script, {{"now", c.now}}),
                  std::string("0 ") + c.expected)
            << c.script << " at " << c.now;
    }
}

TEST_F(SimJvLinkTest, TheSimulatedMomentComesFromSettingStoreFactOrCode) {
    auto link = Make();
    EXPECT_EQ(link->Now(), "202501061200");  // the store's fact
    EXPECT_EQ(RunScript(*link, "init rt:0B30:2025010506010101 read"), "0 0 O1:v2");
    EXPECT_EQ(link->JVClose(), 0);
    ASSERT_TRUE(link->SetNow("202501050945").ok());
    EXPECT_EQ(RunScript(*link, "rt:0B30:2025010506010101 read close"), "0 O1:v1 0");
    EXPECT_FALSE(link->SetNow("2025010509").ok());
    EXPECT_EQ(link->Now(), "202501050945");
    ASSERT_TRUE(link->SetNow("").ok());
    EXPECT_EQ(link->Now(), "202501061200");
}

TEST_F(SimJvLinkTest, RealtimeCanMakeTheReaderWait) {
    EXPECT_EQ(Run("init rt:0B13:20250105 drain", {{"realtime_wait_reads", "2"}}),
              "0 0 -3 -3 DM:m1 DM:m2 -1 0");
}

TEST_F(SimJvLinkTest, FaultsReplaceTheResultsTheyAreSetFor) {
    struct Case {
        const char* fault;
        const char* script;
        const char* expected;
    } cases[] = {
        {"JVInit:-101", "init open", "-101 -201"},
        {"JVSetUIProperties:-100", "ui init ui", "-100 0 -100"},
        {"JVOpen:-504", "init open rt:0B13:20250105", "0 -504 0"},
        {"JVOpen:-504x1", "init open open", "0 -504 0(3/0/20250104120000)"},
        {"JVOpen:-301@1", "init open close open", "0 0(3/0/20250104120000) 0 -301"},
        // Parameter checks come first, like the component's.
        {"JVOpen:-504", "init open:RACE:20250101000000:9", "0 -115"},
        {"JVRTOpen:-421", "init rt:0B30:2025010506010101 rt:0B30:20250105", "0 -421 -114"},
        {"JVRead:-502@2", "init open drain", "0 0(3/0/20250104120000) RA:a1 SE:a2 -502"},
        {"JVRead:-502@2", "init open drain close open read",
         "0 0(3/0/20250104120000) RA:a1 SE:a2 -502 0 0(3/0/20250104120000) RA:a1"},
        {"JVRead:-2@1x2", "init open:RACE:20250101000000:1 drain",
         "0 0(2/0/20250104100000) RA:a1 -2 -2 SE:a2 SE:a3 -1 HR:b1 O1:b2 -1 0"},
        {"JVRead:-403", "init rt:0B13:20250105 drain", "0 0 -403"},
        {"JVStatus:-502@1", "init open status status", "0 0(3/0/20250104120000) 0 -502"},
        {"JVClose:-1", "init open close open close",
         "0 0(3/0/20250104120000) -1 0(3/0/20250104120000) -1"},
        {"JVRead:-502@1,JVOpen:-504x1", "init open open drain",
         "0 -504 0(3/0/20250104120000) RA:a1 -502"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.script, {{"predownloaded", "1"}, {"fault", c.fault}}), c.expected)
            << c.fault << ": " << c.script;
    }
}

TEST_F(SimJvLinkTest, VersionTextAndDelays) {
    EXPECT_EQ(Make()->JVLinkVersion(), "0490");
    EXPECT_EQ(Make({{"version", "0480"}})->JVLinkVersion(), "0480");
    // A delay slows the call down but changes nothing else.
    EXPECT_EQ(Run("init open:MING:20250101000000:1 drain",
                  {{"predownloaded", "1"}, {"delay", "JVOpen:1,JVRead:1"}}),
              "0 0(1/0/20250105090000) DM:d1 -1 0");
}

TEST_F(SimJvLinkTest, ADamagedStoreAnswersWithTheComponentsErrorCodes) {
    auto link = Make({{"predownloaded", "1"}});
    std::filesystem::remove(dir_.path() / "files" / "RACE_B");
    EXPECT_EQ(RunScript(*link, "init open:RACE:20250101000000:1 drain"),
              "0 0(2/0/20250104100000) RA:a1 SE:a2 SE:a3 -1 -503");
    EXPECT_NE(link->LastStoreError().find("RACE_B"), std::string::npos);
    link->JVClose();

    std::ofstream(dir_.path() / "files.tsv", std::ios::app) << "broken line\n";
    std::ofstream(dir_.path() / "realtime.tsv", std::ios::app) << "broken line\n";
    EXPECT_EQ(RunScript(*link, "open rt:0B13:20250105"), "-401 -401");
    EXPECT_NE(link->LastStoreError().find("realtime.tsv line 6"), std::string::npos)
        << link->LastStoreError();
}

TEST_F(SimJvLinkTest, AReportOfAStoreErrorNamesTheStoreFile) {
    auto link = Make({{"predownloaded", "1"}});
    std::filesystem::remove(dir_.path() / "files" / "RACE_B");
    EXPECT_EQ(RunScript(*link, "init open:RACE:20250101000000:1 drain"),
              "0 0(2/0/20250104100000) RA:a1 SE:a2 SE:a3 -1 -503");
    const std::string text = jvlink::JvResultText(*link, "JVRead", -503);
    EXPECT_NE(text.find("(-503)"), std::string::npos) << text;
    EXPECT_NE(text.find("RACE_B"), std::string::npos) << text;
    // An ordinary end of a file says nothing more.
    EXPECT_EQ(jvlink::JvResultText(*link, "JVRead", -1), jvlink::JvResultText("JVRead", -1));
}

// An empty store is no source at all, which the detail of "no data" says;
// nothing newer than the from-time is plain "no data".
TEST_F(SimJvLinkTest, AnEmptyStoreIsNoDataThatNamesTheStore) {
    auto link = Make();
    EXPECT_EQ(RunScript(*link, "init open:RACEDIFN:20991231000000:1"), "0 -1");
    EXPECT_EQ(link->LastErrorDetail(), "");

    TempDir empty;
    SimSettings settings;
    settings.store = empty.path();
    auto bare = SimJvLink::FromSettings(settings);
    ASSERT_TRUE(bare.ok()) << bare.error();
    EXPECT_EQ(RunScript(**bare, "init open"), "0 -1");
    EXPECT_NE((*bare)->LastErrorDetail().find(empty.path().string()), std::string::npos)
        << (*bare)->LastErrorDetail();
}

TEST(SimJvLinkFromSettings, RefusesWhatItCannotServe) {
    TempDir dir;
    testing::WriteSmallStore(dir.path());
    SimSettings settings;
    EXPECT_FALSE(SimJvLink::FromSettings(settings).ok());  // no store
    settings.store = dir.path() / "missing";
    EXPECT_FALSE(SimJvLink::FromSettings(settings).ok());
    settings.store = dir.path();
    settings.now = "20250105";
    EXPECT_FALSE(SimJvLink::FromSettings(settings).ok());
    settings.now = "";
    EXPECT_TRUE(SimJvLink::FromSettings(settings).ok());
    std::ofstream(dir.path() / "store.ini") << "[store]\nnow=tomorrow\n";
    EXPECT_FALSE(SimJvLink::FromSettings(settings).ok());
}

}  // namespace
}  // namespace quindle::jvsim
