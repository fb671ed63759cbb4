// The substitute's settings from code, an ini file and the environment.

#include "jvsim/substitute/sim_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "jvsim/substitute/sim_jvlink.h"
#include "sim_fixture.h"

namespace quindle::jvsim {
namespace {

using testing::TempDir;

TEST(SimSettings, OptionsParseOrAreRefusedWithoutChangingAnything) {
    struct Case {
        const char* name;
        const char* value;
        bool ok;
    } cases[] = {
        {"store", "league", true},
        {"now", "202501051030", true},
        {"now", "", true},
        {"now", "20250105", false},
        {"now", "202501051060", false},
        {"version", "0480", true},
        {"version", "480", false},
        {"download_step", "3", true},
        {"download_step", "0", false},
        {"download_step", "two", false},
        {"download_ms", "0", true},
        {"download_ms", "-5", false},
        {"predownloaded", "1", true},
        {"predownloaded", "2", false},
        {"realtime_wait_reads", "4", true},
        {"fault", "JVOpen:-504, JVRead:-502@100", true},
        {"fault", "none", true},
        {"fault", "JVOpen", false},
        {"fault", "JVFoo:-1", false},
        {"fault", "JVRead:-502@x", false},
        {"fault", "JVRead:-2x0", false},
        {"delay", "JVOpen:200,JVRead:1", true},
        {"delay", "JVOpen:-1", false},
        {"speed", "1", false},
    };
    for (const auto& c : cases) {
        SimSettings settings;
        settings.faults.push_back({JvOp::kClose, -1, 0, 0});
        const SimSettings before = settings;
        auto s = ApplySimOption(settings, c.name, c.value);
        EXPECT_EQ(s.ok(), c.ok) << c.name << "=" << c.value << ": " << s.error();
        if (!c.ok) {
            EXPECT_EQ(settings.faults.size(), before.faults.size());
            EXPECT_EQ(settings.now, before.now);
            EXPECT_EQ(settings.downloadStep, before.downloadStep);
        }
    }
}

TEST(SimSettings, FaultRulesReadOperationCodeAfterAndTimes) {
    struct Case {
        const char* text;
        JvOp op;
        int code, after, times;
    } cases[] = {
        {"JVOpen:-504", JvOp::kOpen, -504, 0, 0}, {"JVRead:-502@100", JvOp::kRead, -502, 100, 0},
        {"JVRead:-2@5x3", JvOp::kRead, -2, 5, 3}, {"JVStatus:-502x1", JvOp::kStatus, -502, 0, 1},
        {"JVClose:-1", JvOp::kClose, -1, 0, 0},
    };
    for (const auto& c : cases) {
        auto rule = ParseFaultRule(c.text);
        ASSERT_TRUE(rule.ok()) << c.text << ": " << rule.error();
        EXPECT_EQ(rule->op, c.op) << c.text;
        EXPECT_EQ(rule->code, c.code) << c.text;
        EXPECT_EQ(rule->after, c.after) << c.text;
        EXPECT_EQ(rule->times, c.times) << c.text;
    }
    EXPECT_FALSE(ParseFaultRule("JVRead:-2x3@5").ok());  // order is @ then x
}

TEST(SimSettings, IniFileAndEnvironmentPointTheSubstituteAtAStore) {
    TempDir dir;
    testing::WriteSmallStore(dir.path() / "league");
    const auto ini = dir.path() / "jvsim.ini";
    std::ofstream(ini) << "; the demo league\n"
                          "[jvsim]\n"
                          "store = league\n"
                          "now = 202501050930\n"
                          "fault = JVClose:-1\n"
                          "[other]\n"
                          "now = 199901010000\n";
    SimSettings settings;
    ASSERT_TRUE(ApplySimIni(settings, ini).ok());
    EXPECT_EQ(settings.store, dir.path() / "league");  // relative to the ini file
    EXPECT_EQ(settings.now, "202501050930");
    ASSERT_EQ(settings.faults.size(), 1u);

    ::setenv("QUINDLE_JVSIM_INI", ini.c_str(), 1);
    ::setenv("QUINDLE_JVSIM_VERSION", "0480", 1);
    ::setenv("QUINDLE_JVSIM_FAULT", "", 1);
    auto link = SimJvLink::FromEnvironment();
    ::setenv("QUINDLE_JVSIM_DOWNLOAD_STEP", "zero", 1);
    SimSettings bad;
    auto refused = ApplySimEnvironment(bad);
    ::unsetenv("QUINDLE_JVSIM_INI");
    ::unsetenv("QUINDLE_JVSIM_VERSION");
    ::unsetenv("QUINDLE_JVSIM_FAULT");
    ::unsetenv("QUINDLE_JVSIM_DOWNLOAD_STEP");

    ASSERT_TRUE(link.ok()) << link.error();
    EXPECT_EQ((*link)->JVLinkVersion(), "0480");  // the environment wins over the ini
    EXPECT_TRUE((*link)->Settings().faults.empty());
    EXPECT_EQ(testing::RunScript(**link, "init rt:0B30:2025010506010101 read close"),
              "0 0 O1:v1 0");
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("QUINDLE_JVSIM_DOWNLOAD_STEP"), std::string::npos);

    std::ofstream(ini, std::ios::app) << "[jvsim]\nno_such = 1\n";
    EXPECT_FALSE(ApplySimIni(settings, ini).ok());
    EXPECT_FALSE(ApplySimIni(settings, dir.path() / "none.ini").ok());
}

TEST(SimSettings, CommandLineOptionsAreTakenOutOfTheArguments) {
    SimSettings settings;
    std::vector<std::string> args = {
        "day",        "--jvsim-store",           "league", "--jvsim-now=202501051030",
        "2025-01-05", "--jvsim-download-step=4", "--home", "h"};
    auto s = TakeSimArgs(settings, args);
    ASSERT_TRUE(s.ok()) << s.error();
    EXPECT_EQ(args, (std::vector<std::string>{"day", "2025-01-05", "--home", "h"}));
    EXPECT_EQ(settings.store, "league");
    EXPECT_EQ(settings.now, "202501051030");
    EXPECT_EQ(settings.downloadStep, 4);

    std::vector<std::string> missing = {"--jvsim-now"};
    std::vector<std::string> bad = {"x", "--jvsim-now=soon"};
    EXPECT_FALSE(TakeSimArgs(settings, missing).ok());
    EXPECT_FALSE(TakeSimArgs(settings, bad).ok());
    EXPECT_EQ(bad.size(), 2u);  // left as it was
    EXPECT_EQ(settings.now, "202501051030");
}

}  // namespace
}  // namespace quindle::jvsim
