#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/jvlink_choice.h"
#include "core/util/temp_folder.h"

namespace quindle::app {
namespace {

using quindle::testing::TempFolder;
using quindle::testing::WriteBytes;

// Which JV-Link Windows speaks to when nothing names one: only a 64-bit
// program with the 32-bit program beside it goes through the bridge; a
// folder of that name, an empty (unknown) executable folder or a 32-bit
// program keep COM.
TEST(JvLinkDefaultTest, SixtyFourBitProgramBesideThe32BitOneUsesItAsBridge) {
    TempFolder temp;
    const auto withBridge = temp.path() / "ユーザー" / "quindle";
    const auto withoutBridge = temp.path() / "plain";
    const auto folderOfThatName = temp.path() / "folder";
    std::filesystem::create_directories(withBridge);
    std::filesystem::create_directories(withoutBridge);
    std::filesystem::create_directories(folderOfThatName / "quindle-cli32.exe");
    WriteBytes(withBridge / "quindle-cli32.exe", "MZ");

    const std::vector<std::string> bridge{(withBridge / "quindle-cli32.exe").string(),
                                          "jvlink-bridge", "--jvlink", "com"};
    struct Case {
        std::filesystem::path folder;
        bool is64Bit;
        JvLinkKind kind;
    };
    for (const Case& c :
         {Case{withBridge, true, JvLinkKind::kBridge}, Case{withBridge, false, JvLinkKind::kCom},
          Case{withoutBridge, true, JvLinkKind::kCom},
          Case{folderOfThatName, true, JvLinkKind::kCom}, Case{{}, true, JvLinkKind::kCom}}) {
        SCOPED_TRACE(c.folder.string() + (c.is64Bit ? " 64-bit" : " 32-bit"));
        const JvLinkChoice choice = DefaultWindowsChoice(c.folder, c.is64Bit);
        EXPECT_EQ(choice.kind, c.kind);
        EXPECT_EQ(choice.bridgeCommand,
                  c.kind == JvLinkKind::kBridge ? bridge : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace quindle::app
