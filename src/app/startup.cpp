#include "app/startup.h"

#include <algorithm>

#include "core/load/jockey_table_file.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"

namespace quindle::app {
using analysis::JockeyRecommendTable;

using env::ChooseProgramFolder;
using env::ErrorLog;
using env::kInstallFolderValue;
using env::kProgramName;
using env::kTimeSeriesViewerUninstallKey;
using env::kVotePluginUninstallKey;
using env::PlatformRegistry;
using env::Registry;
using env::SettingsFile;
using env::StringKey;

namespace fs = std::filesystem;

namespace {

struct SiblingFolder {
    StringKey setting;
    std::string_view uninstallKey;
    std::string_view subfolder;  // appended to the install folder, or empty
};

constexpr SiblingFolder kSiblingFolders[] = {
    {env::settings::kVoteFolder, kVotePluginUninstallKey, ""},
    {env::settings::kTimeSeriesFolder, kTimeSeriesViewerUninstallKey, kDataFolder},
};

// The install folder with `subfolder` appended, as one native path: on
// Windows with backslashes throughout, the form the user and other Windows
// programs read, even where the registry value has forward slashes.
std::string Joined(std::string folder, std::string_view subfolder) {
    if (subfolder.empty()) return folder;
    constexpr char separator = static_cast<char>(fs::path::preferred_separator);
    if (folder.empty() || (folder.back() != separator && folder.back() != '/')) {
        folder += separator;
    }
    folder += subfolder;
    if constexpr (separator != '/') std::replace(folder.begin(), folder.end(), '/', separator);
    return folder;
}

}  // namespace

Status DiscoverSiblingFolders(SettingsFile& settings, const Registry& registry) {
    for (const SiblingFolder& sibling : kSiblingFolders) {
        if (!text::TrimBlanks(settings.Read(sibling.setting)).empty()) continue;
        std::string found = registry.ReadMachineString(sibling.uninstallKey, kInstallFolderValue);
        if (text::TrimBlanks(found).empty()) continue;
        if (Status s = settings.Write(sibling.setting, Joined(found, sibling.subfolder)); !s) {
            return s;
        }
    }
    return Status::Ok();
}

Result<StartupState> RunStartup(const StartupOptions& options) {
    auto folder = ChooseProgramFolder(options.sources);
    if (!folder) return Error{folder.error()};

    StartupState state{*folder,
                       SettingsFile(*folder, kProgramName),
                       ErrorLog(*folder, options.clock),
                       JockeyRecommendTable{},
                       {}};
    auto note = [&state](const Status& s) {
        if (!s) state.problems.push_back(s.error());
    };

    // An unreadable settings file reads as defaults everywhere; say so once.
    if (PathExists(state.settings.Path())) {
        if (auto read = ReadFileIfExists(state.settings.Path(), ReadLimit::kSettings); !read) {
            note(Error{"設定ファイルを読めません。既定の設定で続けます: " + read.error()});
        }
    }

    std::unique_ptr<Registry> platform;
    const Registry* registry = options.registry;
    if (!registry) {
        platform = PlatformRegistry();
        registry = platform.get();
    }
    note(DiscoverSiblingFolders(state.settings, *registry));
    // A folder that cannot be made is reported; the rest of the start still
    // runs, so the window opens with everything that does not need it.
    note(CreateStartupFolders(state.programFolder));

    if (auto table = load::LoadJockeyRecommendTable(state.programFolder, state.problems)) {
        state.jockeyTable = std::move(*table);
    } else {
        state.problems.push_back(table.error());
    }

    const Status logStarted = state.errorLog.StartEntry();
    if (logStarted) {
        const std::vector<std::string> earlier = state.problems;
        for (const auto& problem : earlier) note(state.errorLog.AppendErrorLog(problem));
    } else {
        note(logStarted);
    }
    return state;
}

}  // namespace quindle::app
