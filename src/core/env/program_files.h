#pragma once
// Files of the program folder that switch features on or that commands open:
// the marker files, whose mere presence shows more commands, and the user
// manual. Names are found without regard to letter case.

#include <filesystem>
#include <optional>
#include <string_view>

namespace quindle::env {

// Shows the bulk-load command "一気読み".
inline constexpr std::string_view kMasterKeyFile = "Master.key";
// Shows the statistics tab, the mail and developer menus and the export of
// previous-race winners.
inline constexpr std::string_view kMasterControlKeyFile = "MasterControlOrin.key";

struct FeatureSwitches {
    bool directRead = false;     // kMasterKeyFile present
    bool masterControl = false;  // kMasterControlKeyFile present

    bool operator==(const FeatureSwitches&) const = default;
};

// The switches of the marker files present in `programFolder`.
FeatureSwitches ReadFeatureSwitches(const std::filesystem::path& programFolder);

inline constexpr std::string_view kUserManualFile = "Quindle.pdf";
inline constexpr std::string_view kUserManualMissingMessage =
    "使用解説書[Quindle.pdf]が見つかりません。";

// The user manual of `programFolder`, or nothing when it is missing.
std::optional<std::filesystem::path> FindUserManual(const std::filesystem::path& programFolder);

}  // namespace quindle::env
