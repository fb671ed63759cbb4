#pragma once
// Which JV-Link the program speaks to: the substitute serving a store folder,
// the real component through COM (Windows), or a bridge process started by a
// command (`quindle-cli jvlink-bridge`, which serves one of the other two).
//
// The choice is written the same way in the option --jvlink and in the
// settings file's [jvlink] source=: "substitute", "com", or "bridge" followed
// by the bridge's command line. The option wins over the setting; without
// either, Windows speaks to the component unless a store is named for the
// substitute, and other systems speak to the substitute. JV-Link is a 32-bit
// component a 64-bit process cannot load, so a 64-bit program on Windows
// reaches it through the 32-bit quindle-cli32.exe as a bridge when that
// program sits beside it (as in the Windows zip).
//
// How long the program waits for a bridge's replies is set in [jvlink] too,
// in whole seconds (0: no limit); bridge_client.h says which calls each
// limit covers and why the defaults are what they are.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/env/settings_file.h"
#include "core/jvlink/bridge/bridge_client.h"
#include "core/util/result.h"

namespace quindle::app {

struct JvLinkOptions;

inline constexpr env::StringKey kJvLinkSourceKey{"jvlink", "source", ""};
inline constexpr env::IntKey kBridgeStartSecondsKey{"jvlink", "bridge_start_seconds", 60};
inline constexpr env::IntKey kBridgeCallSecondsKey{"jvlink", "bridge_call_seconds", 60};
inline constexpr env::IntKey kBridgeReadSecondsKey{"jvlink", "bridge_read_seconds", 600};
inline constexpr env::IntKey kBridgeDialogSecondsKey{"jvlink", "bridge_dialog_seconds", 3600};
inline constexpr env::IntKey kBridgeQuitSecondsKey{"jvlink", "bridge_quit_seconds", 10};

enum class JvLinkKind { kSubstitute, kCom, kBridge };

struct JvLinkChoice {
    JvLinkKind kind = JvLinkKind::kSubstitute;
    std::vector<std::string> bridgeCommand;     // kBridge: the program and its arguments
    jvlink::bridge::BridgeLimits bridgeLimits;  // from the settings file

    bool operator==(const JvLinkChoice&) const = default;
};

// "substitute", "com" or "bridge COMMAND..." (the command split as a command
// line: blanks separate words, double quotes keep them).
Result<JvLinkChoice> ParseJvLinkChoice(std::string_view text);

// The bridge's time limits in `settings`.
jvlink::bridge::BridgeLimits ReadBridgeLimits(const env::SettingsFile& settings);

// The 32-bit program the Windows zip puts beside the 64-bit ones.
inline constexpr std::string_view kBridge32Program = "quindle-cli32.exe";

// Windows' choice when nothing names one: the component through COM, or for a
// 64-bit program (`is64Bit`) with kBridge32Program in `executableFolder`, that
// program as the bridge serving the component.
JvLinkChoice DefaultWindowsChoice(const std::filesystem::path& executableFolder, bool is64Bit);

// The JV-Link of `options` and the settings of `programFolder` (see above).
Result<JvLinkChoice> ChooseJvLink(const std::filesystem::path& programFolder,
                                  const JvLinkOptions& options);

}  // namespace quindle::app
