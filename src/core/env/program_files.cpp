#include "core/env/program_files.h"

#include "core/util/folders.h"

namespace quindle::env {

FeatureSwitches ReadFeatureSwitches(const std::filesystem::path& programFolder) {
    FeatureSwitches switches;
    switches.directRead = FindFile(programFolder, kMasterKeyFile).has_value();
    switches.masterControl = FindFile(programFolder, kMasterControlKeyFile).has_value();
    return switches;
}

std::vector<std::filesystem::path> UserManualFolders(
    const std::filesystem::path& programFolder, const std::filesystem::path& executableFolder) {
    return {programFolder, executableFolder, executableFolder.parent_path() / "share" / "quindle"};
}

std::optional<std::filesystem::path> FindUserManual(
    const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        if (auto found = FindFile(folder, kUserManualFile)) return found;
    }
    return std::nullopt;
}

}  // namespace quindle::env
