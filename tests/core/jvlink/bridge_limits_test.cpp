// Bridges that misbehave: silent, stalled at any call, dying, sending counts
// or texts the protocol cannot hold, or garbage. Every case ends within the
// client's time limit with an error code the read loop knows and a reason
// that names what went wrong, and the bridge is ended at once.
// The bridge is a Python script (misbehaving_bridge.py) run as a real child.

#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

#include "core/jvlink/bridge/bridge_client.h"
#include "core/jvlink/jvlink_start.h"
#include "core/jvlink/read_loop.h"
#include "core/util/temp_folder.h"

namespace quindle::jvlink::bridge {
namespace {

// Small limits, yet with room for a Python start and a reply on a busy
// machine: a case that should pass must not run out of time.
constexpr std::chrono::milliseconds kStartLimit{2000};
constexpr std::chrono::milliseconds kLimit{700};

BridgeLimits SmallLimits() {
    return {kStartLimit, kLimit, kLimit, kLimit, kLimit};
}

class MisbehavingBridge : public ::testing::Test {
  protected:
    Result<std::unique_ptr<BridgeJvLink>> Start(const std::vector<std::string>& args) {
        std::vector<std::string> command = {
            "/usr/bin/python3", QUINDLE_TEST_SOURCE_DIR "/core/jvlink/misbehaving_bridge.py",
            pidFile_.string()};
        command.insert(command.end(), args.begin(), args.end());
        return BridgeJvLink::Start(command, SmallLimits());
    }
    // True while the bridge's process is still there (not yet ended and reaped).
    bool BridgeRuns() const {
        std::ifstream in(pidFile_);
        long pid = 0;
        in >> pid;
        return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
    }

    testing::TempFolder dir_;
    std::filesystem::path pidFile_ = dir_.path() / "bridge.pid";
};

// Every call of one session, in order, with the result a well-behaved bridge
// gives; `until` stops after the call of that name.
struct Step {
    const char* word;
    int normal;
};
constexpr Step kSession[] = {{"INIT", 0},   {"OPEN", 0},  {"STATUS", 0}, {"READ", 6}, {"SKIP", 0},
                             {"CANCEL", 0}, {"CLOSE", 0}, {"RTOPEN", 0}, {"SETUI", 0}};

int Call(JvLink& link, std::string_view word) {
    int readCount = 0, downloadCount = 0, size = kReadBufferSize;
    std::string text, fileName;
    if (word == "INIT") return link.JVInit("SA000000/SD000000/Quindle/1");
    if (word == "OPEN") {
        return link.JVOpen("RACE", "20250101000000", option::kNormal, readCount, downloadCount,
                           text);
    }
    if (word == "STATUS") return link.JVStatus();
    if (word == "READ") return link.JVRead(text, size, fileName);
    if (word == "SKIP") return link.JVSkip();
    if (word == "CANCEL") return link.JVCancel();
    if (word == "CLOSE") return link.JVClose();
    if (word == "RTOPEN") return link.JVRTOpen("0B30", "2025010506010101");
    return link.JVSetUIProperties();
}

TEST_F(MisbehavingBridge, ABridgeThatBreaksAtTheStartIsRefusedWithItsReason) {
    struct Case {
        std::vector<std::string> args;
        const char* reason;
    };
    const Case cases[] = {
        {{"silent"}, "no greeting within 2 s"},
        {{"trickle"}, "no greeting within 2 s"},
        {{"garbage"}, "a header line longer than"},
        {{"huge-greeting"}, "too long text length"},
        {{"refuse"}, "cannot be created: no component\\x1B[31m\\xFF"},
        {{"stall", "VERSION"}, "no reply to VERSION within 2 s"},
        {{"exit", "VERSION"}, "the bridge ended"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        auto link = Start(c.args);
        ASSERT_FALSE(link);
        EXPECT_NE(link.error().find(c.reason), std::string::npos) << link.error();
        EXPECT_FALSE(BridgeRuns());
    }
}

TEST_F(MisbehavingBridge, EveryCallEndsWithinItsLimitWithANamedError) {
    struct Case {
        std::vector<std::string> args;
        const char* reason;
    };
    std::vector<Case> cases;
    // Stalled at each call in turn.
    for (const Step& step : kSession) {
        cases.push_back({{"stall", step.word}, "no reply to"});
    }
    const Case more[] = {
        {{"stall-text", "READ"}, "no reply to READ within 700 ms"},
        {{"exit", "READ"}, "the bridge ended"},
        {{"exit", "INIT"}, "the bridge ended"},
        {{"reply", "STATUS", "R 4611686018427387904"}, "not 32-bit number"},
        {{"reply", "READ", "R 6 2147483648 #6 #8"}, "not 32-bit number"},
        {{"reply", "READ", "R 6 -1 #6 #8"}, "record size out of range"},
        {{"reply", "READ", "R 6 6 #200000 #8"}, "record size out of range"},
        {{"reply", "READ", "R 6 6 #99999999999999999999 #8"}, "too long text length"},
        {{"reply", "READ", "R 6 6 #700000 #700000"}, "too long text length"},
        {{"reply", "OPEN", "R 0 -5 0 #14"}, "a negative file count"},
        {{"reply", "CLOSE", "R 0 0"}, "an unexpected reply to CLOSE"},
        {{"reply", "INIT", "ERROR #12"}, "the bridge refused INIT: xxxxxxxxxxxx"},
    };
    cases.insert(cases.end(), std::begin(more), std::end(more));

    for (const Case& c : cases) {
        const std::string& failing = c.args[1];
        SCOPED_TRACE(c.args[0] + " " + failing);
        auto link = Start(c.args);
        ASSERT_TRUE(link) << link.error();
        for (const Step& step : kSession) {
            const int rc = Call(**link, step.word);
            if (failing != step.word) {
                EXPECT_EQ(rc, step.normal) << step.word;
                continue;
            }
            const bool readLike = failing == "READ" || failing == "STATUS";
            EXPECT_EQ(rc, readLike ? code::kDownloadFailed : code::kInternalError);
            EXPECT_TRUE(IsReadError(rc));
            const std::string detail = (*link)->LastErrorDetail();
            EXPECT_NE(detail.find(c.reason), std::string::npos) << detail;
            // Lost for good, and ended at once, not at the end of the client.
            EXPECT_FALSE(BridgeRuns());
            if (failing == "INIT") {
                // What the user is shown names the reason, not only the code.
                const std::string shown = JvInitErrorMessage(**link, rc);
                EXPECT_NE(shown.find(c.reason), std::string::npos) << shown;
            }
            break;
        }
    }
}

TEST_F(MisbehavingBridge, AStalledQuitDoesNotHoldTheEnd) {
    auto link = Start({"stall", "QUIT"});
    ASSERT_TRUE(link) << link.error();
    EXPECT_EQ((*link)->JVInit("sid"), code::kOk);
    link->reset();
    EXPECT_FALSE(BridgeRuns());
}

}  // namespace
}  // namespace quindle::jvlink::bridge
