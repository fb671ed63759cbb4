#pragma once
// The program folder: every file and folder of the system is named relative to
// it. Chosen, in this order, by the `--home DIR` option, the environment
// variable QUINDLE_HOME, the folder of the executable when it is writable and
// not a system one (an installed program in /usr/bin), and the user's data folder ($XDG_DATA_HOME/quindle, else ~/.local/share/quindle).

#include <filesystem>
#include <string>

#include "core/util/result.h"

namespace quindle::env {

// The program's name: the settings file is named after it.
inline constexpr const char* kProgramName = "quindle";

// Everything the choice depends on, gathered apart from the choice so tests
// can supply their own.
struct ProgramFolderSources {
    std::filesystem::path homeOption;        // --home DIR, empty when not given
    std::string homeVariable;                // QUINDLE_HOME
    std::filesystem::path executableFolder;  // empty when unknown
    std::string xdgDataHome;                 // XDG_DATA_HOME
    std::string userHome;                    // HOME

    // The sources of this process: its environment and executable.
    static ProgramFolderSources FromEnvironment(std::filesystem::path homeOption);
};

// The chosen program folder as an absolute path without a trailing separator,
// created when missing.
Result<std::filesystem::path> ChooseProgramFolder(const ProgramFolderSources& sources);

// The folder of the running executable, or empty when it cannot be told.
std::filesystem::path ExecutableFolder();

}  // namespace quindle::env
