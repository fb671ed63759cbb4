#pragma once
// Files of the program folder that switch features on or that commands open:
// the marker files, whose mere presence shows more commands, and the user
// manual. Names are found without regard to letter case.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

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
// The manual is there but no program on this computer opened it.
inline constexpr std::string_view kUserManualNotOpenedMessage =
    "使用解説書[Quindle.pdf]を開けませんでした。PDFを表示するソフトを確認してください。";

// Where the user manual is looked for, in order: the program folder (a copy
// the user put there wins), the folder of the running program, where the
// build and an installation put it, and the shared-data folder of an
// installation laid out as bin/ and share/quindle/.
std::vector<std::filesystem::path> UserManualFolders(const std::filesystem::path& programFolder,
                                                     const std::filesystem::path& executableFolder);

// The user manual in the first of `folders` that holds it, or nothing when it
// is missing.
std::optional<std::filesystem::path> FindUserManual(
    const std::vector<std::filesystem::path>& folders);

}  // namespace quindle::env
