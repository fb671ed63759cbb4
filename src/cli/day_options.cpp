#include "day_options.h"

#include <algorithm>
#include <system_error>

#include "app/program_folder.h"
#include "app/settings_file.h"
#include "model/day_files.h"
#include "stderr_progress.h"
#include "store/record_layout.h"

namespace quindle::cli {
namespace {

namespace fs = std::filesystem;
namespace layout = store::layout;

std::string WithoutBlanks(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c != ' ') out += c;
    }
    return out;
}

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

Result<DayOptions> ParseDayOptions(const Args& args) {
    DayOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        auto home = TakeValueOption(args, i, "home");
        if (!home) return Error{home.error()};
        if (*home) {
            options.home = **home;
            continue;
        }
        auto day = TakeValueOption(args, i, "day");
        if (!day) return Error{day.error()};
        if (*day) {
            options.day = **day;
            continue;
        }
        auto race = TakeValueOption(args, i, "race");
        if (!race) return Error{race.error()};
        if (*race) {
            options.race = **race;
            continue;
        }
        options.rest.push_back(args[i]);
    }
    return options;
}

Result<fs::path> OpenProgramFolder(const fs::path& home) {
    std::error_code ec;
    if (!home.empty() && !fs::is_directory(home, ec)) {
        return Error{"no program folder " + home.string()};
    }
    return app::ChooseProgramFolder(app::ProgramFolderSources::FromEnvironment(home));
}

Result<std::string> DayDateTextOf(const std::string& value) {
    if (model::YmdOfDateText(value)) return value;
    if (auto text = model::DateTextOfYmd(value)) return *text;
    return Error{"a day is written 2025年01月05日 or 20250105, not '" + value + "'"};
}

Result<int> ResolveRace(const model::DayLoadOutcome& outcome, const std::string& value) {
    if (AllDigits(value)) {
        const int index = value.size() > 2 ? -1 : std::stoi(value);
        for (int r : outcome.raceIndexes) {
            if (r == index) return index;
        }
        return Error{"race index " + value + " is not a race of this day (" +
                     std::to_string(outcome.raceList.size()) + " races; see quindle-cli races)"};
    }
    const std::string wanted = WithoutBlanks(value);
    for (size_t line = 0; line < outcome.raceList.size(); ++line) {
        if (WithoutBlanks(outcome.raceList[line]) == wanted) return outcome.raceIndexes[line];
    }
    return Error{"no race '" + value + "' on this day (see quindle-cli races)"};
}

Result<LoadedDay> OpenDay(const DayOptions& options, bool needRace) {
    if (!options.day) return Error{"--day DATE is needed"};
    if (needRace && !options.race) return Error{"--race RACE is needed"};
    auto dateText = DayDateTextOf(*options.day);
    if (!dateText) return Error{dateText.error()};
    auto folder = OpenProgramFolder(options.home);
    if (!folder) return Error{folder.error()};
    const auto days = model::MakeDataList(*folder);
    if (std::find(days.begin(), days.end(), *dateText) == days.end()) {
        return Error{"no race day " + *dateText + " in " + folder->string() +
                     " (see quindle-cli days)"};
    }
    auto table = app::JockeyRecommendTable::Load(*folder);
    if (!table) return Error{table.error()};

    const app::SettingsFile settings(*folder, app::kProgramName);
    model::DayLoadSettings loadSettings;
    loadSettings.autoOzGet = settings.Read(app::settings::kAutoOddsMinutes);
    loadSettings.autoRdataGet = settings.Read(app::settings::kAutoRaceDataMinutes);

    LoadedDay loaded{*folder, *dateText, std::move(*table), std::make_unique<model::RaceDay>(),
                     {},      -1};
    StderrProgress progress;
    auto outcome = model::LoadDay(*loaded.day, loaded.programFolder, loaded.dateText, loadSettings,
                                  loaded.jockeyTable, model::SystemLoadClock(), progress);
    if (!outcome) return Error{loaded.dateText + ": " + outcome.error()};
    loaded.outcome = std::move(*outcome);

    if (options.race) {
        auto race = ResolveRace(loaded.outcome, *options.race);
        if (!race) return Error{race.error()};
        loaded.race = *race;
        // Showing a race needs its runners.
        if (needRace && loaded.day->RunnerSE(*race, 0).Int32(layout::se::kHorseNumber) == 0) {
            return Error{
                std::to_string(loaded.day->RaceRA(*race).Int32(layout::head::kRaceNumber)) +
                "レースはデータが不十分です。"};
        }
    }
    return loaded;
}

Result<LoadedDay> OpenDay(const Args& args, bool needRace) {
    auto options = ParseDayOptions(args);
    if (!options) return Error{options.error()};
    if (!options->rest.empty()) return Error{"unknown argument '" + options->rest.front() + "'"};
    return OpenDay(*options, needRace);
}

}  // namespace quindle::cli
