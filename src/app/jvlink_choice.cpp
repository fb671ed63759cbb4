#include "app/jvlink_choice.h"

#include <algorithm>
#include <cstdlib>

#include "app/jvlink_source.h"
#include "core/env/program_folder.h"
#include "core/util/child_process.h"
#include "core/util/utf8_path.h"

namespace quindle::app {
namespace {

constexpr std::string_view kBridgeWord = "bridge";

#if defined(_WIN32)
// True when a store for the substitute is named anywhere.
bool StoreNamed(const env::SettingsFile& settings, const JvLinkOptions& options) {
    const char* env = std::getenv("QUINDLE_JVSIM_STORE");
    return !options.store.empty() || (env && *env) || !settings.Read(kSubstituteStoreKey).empty();
}
#endif

}  // namespace

Result<JvLinkChoice> ParseJvLinkChoice(std::string_view text) {
    if (text == "substitute") return JvLinkChoice{JvLinkKind::kSubstitute, {}, {}};
    if (text == "com") return JvLinkChoice{JvLinkKind::kCom, {}, {}};
    if (text.substr(0, kBridgeWord.size()) == kBridgeWord &&
        (text.size() == kBridgeWord.size() || text[kBridgeWord.size()] == ' ')) {
        auto words = SplitCommandLine(text.substr(kBridgeWord.size()));
        if (!words) return Error{words.error()};
        if (words->empty()) return Error{"\"bridge\" needs the bridge's command after it"};
        return JvLinkChoice{JvLinkKind::kBridge, std::move(*words), {}};
    }
    return Error{"the JV-Link is \"substitute\", \"com\" or \"bridge COMMAND\", not '" +
                 std::string(text) + "'"};
}

jvlink::bridge::BridgeLimits ReadBridgeLimits(const env::SettingsFile& settings) {
    const auto seconds = [&](const env::IntKey& key) {
        return std::chrono::milliseconds(std::chrono::seconds(std::max(0, settings.Read(key))));
    };
    jvlink::bridge::BridgeLimits limits;
    limits.start = seconds(kBridgeStartSecondsKey);
    limits.call = seconds(kBridgeCallSecondsKey);
    limits.read = seconds(kBridgeReadSecondsKey);
    limits.dialog = seconds(kBridgeDialogSecondsKey);
    limits.quit = seconds(kBridgeQuitSecondsKey);
    return limits;
}

JvLinkChoice DefaultWindowsChoice(const std::filesystem::path& executableFolder, bool is64Bit) {
    if (is64Bit && !executableFolder.empty()) {
        const std::filesystem::path bridge = PathBelow(executableFolder, kBridge32Program);
        std::error_code ec;
        if (std::filesystem::is_regular_file(bridge, ec)) {
            return JvLinkChoice{
                JvLinkKind::kBridge, {bridge.string(), "jvlink-bridge", "--jvlink", "com"}, {}};
        }
    }
    return JvLinkChoice{JvLinkKind::kCom, {}, {}};
}

Result<JvLinkChoice> ChooseJvLink(const std::filesystem::path& programFolder,
                                  const JvLinkOptions& options) {
    const env::SettingsFile settings(programFolder, env::kProgramName);
    Result<JvLinkChoice> choice = JvLinkChoice{JvLinkKind::kSubstitute, {}, {}};
    if (!options.jvLink.empty()) {
        choice = ParseJvLinkChoice(options.jvLink);
    } else if (const std::string stored = settings.Read(kJvLinkSourceKey); !stored.empty()) {
        choice = ParseJvLinkChoice(stored);
        if (!choice) return Error{"[jvlink] source: " + choice.error()};
    }
#if defined(_WIN32)
    else if (!StoreNamed(settings, options)) {
        choice = DefaultWindowsChoice(env::ExecutableFolder(), sizeof(void*) == 8);
    }
#endif
    if (choice) choice->bridgeLimits = ReadBridgeLimits(settings);
    return choice;
}

}  // namespace quindle::app
