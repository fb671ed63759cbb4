#include "core/jvlink/jvlink_start.h"

#include <gtest/gtest.h>

#include <string>

namespace quindle::jvlink {
namespace {

// A JV-Link that answers JVInit with a given code and reports a given version;
// it records the identifier it was given and whether the version was read.
class ScriptedJvLink : public jvlink::JvLink {
  public:
    int initResult = 0;
    std::string version = "0490";
    std::string sid;
    mutable bool versionRead = false;

    int JVInit(std::string_view s) override {
        sid = std::string(s);
        return initResult;
    }
    int JVSetUIProperties() override { return 0; }
    int JVOpen(std::string_view, std::string_view, int, int&, int&, std::string&) override {
        return -1;
    }
    int JVStatus() override { return 0; }
    int JVRTOpen(std::string_view, std::string_view) override { return -1; }
    int JVRead(std::string&, int&, std::string&) override { return 0; }
    int JVSkip() override { return 0; }
    int JVCancel() override { return 0; }
    int JVClose() override { return 0; }
    std::string JVLinkVersion() const override {
        versionRead = true;
        return version;
    }
};

TEST(SoftwareIdentifier, IsServiceNumbersProductAndVersion) {
    const std::string sid = SoftwareIdentifier();
    EXPECT_EQ(sid, "SA" + std::string(kSoftwareSaNumber) + "/SD" + std::string(kSoftwareSdNumber) +
                       "/Quindle/Ver.1.20");
    EXPECT_EQ(kSoftwareSaNumber.size(), 6u);
    EXPECT_EQ(kSoftwareSdNumber.size(), 6u);
    // JVInit refuses identifiers of 64 bytes or more.
    EXPECT_LT(sid.size(), 64u);
}

TEST(JvLinkVersion, DisplayFormAndAgeCheck) {
    struct Case {
        std::string_view version;
        std::string_view display;
        bool tooOld;
    };
    constexpr Case kCases[] = {
        {"0480", "4.8.0", true},  {"0490", "4.9.0", false}, {"0491", "4.9.1", false},
        {"0500", "5.0.0", false}, {"1000", "0.0.0", false}, {"0", "", true},
        {"", "", true},           {"049", "4.9", true},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.version));
        EXPECT_EQ(JvLinkVersionDisplay(c.version), c.display);
        EXPECT_EQ(IsJvLinkVersionTooOld(c.version), c.tooOld);
    }
}

TEST(StartJvLink, InitFailureIsReportedWithoutBeepAndTheVersionIsNotRead) {
    ScriptedJvLink jv;
    jv.initResult = jvlink::code::kSidMissing;
    jv.version = "0480";
    const auto message = StartJvLink(jv);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "JVInitエラー：sid が設定されていません。(-101)");
    EXPECT_FALSE(message->beep);
    EXPECT_FALSE(jv.versionRead);
    EXPECT_EQ(jv.sid, SoftwareIdentifier());
}

TEST(StartJvLink, OldVersionGivesTheVersionMessageWithABeep) {
    ScriptedJvLink jv;
    jv.version = "0480";
    const auto message = StartJvLink(jv);
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->beep);
    EXPECT_EQ(message->text,
              "ご利用中のJV-Linkのバージョンは[4.8.0]です。\r\n"
              "本ソフトのご利用にはバージョン[4.9.0]以上が必要です。\r\n"
              "JRA-VANのホームページより最新のJV-Linkを入手し、インストールしてください。");
}

TEST(StartJvLink, CurrentVersionsGiveNoMessage) {
    for (const char* version : {"0490", "0501"}) {
        ScriptedJvLink jv;
        jv.version = version;
        EXPECT_EQ(StartJvLink(jv), std::nullopt) << version;
    }
}

}  // namespace
}  // namespace quindle::jvlink
