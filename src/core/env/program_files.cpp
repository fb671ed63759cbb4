#include "core/env/program_files.h"

#include "core/util/folders.h"

namespace quindle::env {

FeatureSwitches ReadFeatureSwitches(const std::filesystem::path& programFolder) {
    FeatureSwitches switches;
    switches.directRead = FindFile(programFolder, kMasterKeyFile).has_value();
    switches.masterControl = FindFile(programFolder, kMasterControlKeyFile).has_value();
    return switches;
}

std::optional<std::filesystem::path> FindUserManual(const std::filesystem::path& programFolder) {
    return FindFile(programFolder, kUserManualFile);
}

}  // namespace quindle::env
