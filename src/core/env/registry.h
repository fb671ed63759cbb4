#pragma once
// Read-only access to the machine's program registry, used at start-up to find
// the folders of two sibling programs from their uninstall entries. Machines
// without such a registry answer every look-up with the empty text.

#include <memory>
#include <string>
#include <string_view>

namespace quindle::env {

// Uninstall entries of the sibling programs (under HKEY_LOCAL_MACHINE) and the
// value holding their install folder.
inline constexpr std::string_view kVotePluginUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VTX投票プラグイン_is1";
inline constexpr std::string_view kTimeSeriesViewerUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvex2 for JRA-VAN Data Lab._is1";
inline constexpr std::string_view kInstallFolderValue = "Inno Setup: App Path";

class Registry {
  public:
    virtual ~Registry() = default;
    // The text value `valueName` of the machine-wide key `keyPath` (UTF-8);
    // empty when the key or the value is missing.
    virtual std::string ReadMachineString(std::string_view keyPath,
                                          std::string_view valueName) const = 0;
};

// The registry of this machine.
std::unique_ptr<Registry> PlatformRegistry();

}  // namespace quindle::env
