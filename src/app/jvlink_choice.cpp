#include "app/jvlink_choice.h"

#include <cstdlib>

#include "app/jvlink_source.h"
#include "env/program_folder.h"
#include "util/child_process.h"

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
    if (text == "substitute") return JvLinkChoice{JvLinkKind::kSubstitute, {}};
    if (text == "com") return JvLinkChoice{JvLinkKind::kCom, {}};
    if (text.substr(0, kBridgeWord.size()) == kBridgeWord &&
        (text.size() == kBridgeWord.size() || text[kBridgeWord.size()] == ' ')) {
        auto words = SplitCommandLine(text.substr(kBridgeWord.size()));
        if (!words) return Error{words.error()};
        if (words->empty()) return Error{"\"bridge\" needs the bridge's command after it"};
        return JvLinkChoice{JvLinkKind::kBridge, std::move(*words)};
    }
    return Error{"the JV-Link is \"substitute\", \"com\" or \"bridge COMMAND\", not '" +
                 std::string(text) + "'"};
}

Result<JvLinkChoice> ChooseJvLink(const std::filesystem::path& programFolder,
                                  const JvLinkOptions& options) {
    if (!options.jvLink.empty()) return ParseJvLinkChoice(options.jvLink);
    const env::SettingsFile settings(programFolder, env::kProgramName);
    if (const std::string stored = settings.Read(kJvLinkSourceKey); !stored.empty()) {
        auto choice = ParseJvLinkChoice(stored);
        if (!choice) return Error{"[jvlink] source: " + choice.error()};
        return choice;
    }
#if defined(_WIN32)
    if (!StoreNamed(settings, options)) return JvLinkChoice{JvLinkKind::kCom, {}};
#endif
    return JvLinkChoice{JvLinkKind::kSubstitute, {}};
}

}  // namespace quindle::app
