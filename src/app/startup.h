#pragma once
// The part of the main window's creation that needs no window: the program
// folder, the sibling programs' folders, the start-up folders, the jockey
// recommendation table and the error log's start entry. The GUI and the CLI
// both run it before anything else.

#include <filesystem>
#include <optional>

#include "core/analysis/jockey_recommend_table.h"
#include "core/env/error_log.h"
#include "core/env/program_folder.h"
#include "core/env/registry.h"
#include "core/env/settings_file.h"
#include "core/util/local_time.h"
#include "core/util/result.h"

namespace quindle::app {

struct StartupOptions {
    env::ProgramFolderSources sources;
    const env::Registry* registry = nullptr;  // nullptr: the platform's registry
    LocalClock clock = CurrentLocalDateTime;
};

struct StartupState {
    std::filesystem::path programFolder;
    env::SettingsFile settings;
    env::ErrorLog errorLog;
    analysis::JockeyRecommendTable jockeyTable;
    // Failures that do not stop the start (a folder that could not be made,
    // an unreadable table or log); each is also in the error log when that
    // could be written. The window shows them.
    std::vector<std::string> problems;
};

// Reads "Dir"/"VTXTohyo" and "Dir"/"jikeiretu" and, when one is blank, fills
// it from the sibling program's uninstall entry (the time-series folder is
// that program's "Data" folder). A value not found leaves the key unwritten.
Status DiscoverSiblingFolders(env::SettingsFile& settings, const env::Registry& registry);

// The start. Fails only when there is no program folder to work in.
Result<StartupState> RunStartup(const StartupOptions& options);

}  // namespace quindle::app
