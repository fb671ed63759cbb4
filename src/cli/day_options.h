#pragma once
// The options every race-day command shares, and opening the day they name:
//   --home DIR    the program folder (else QUINDLE_HOME, the executable's
//                 folder, the user's data folder)
//   --day DATE    "2025年01月05日" or "20250105"
//   --race RACE   a race index from 0, or a race-list text such as "中山11R"
// Options may also be written --name=value.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/jockey_recommend_table.h"
#include "command.h"
#include "model/day_loader.h"
#include "model/race_day.h"
#include "util/result.h"

namespace quindle::cli {

struct DayOptions {
    std::filesystem::path home;       // empty: not given
    std::optional<std::string> day;   // as given
    std::optional<std::string> race;  // as given
    Args rest;                        // arguments that are none of these
};

// Takes --home, --day and --race out of `args`. A missing value is an error.
Result<DayOptions> ParseDayOptions(const Args& args);

// The program folder for `home` (empty: the default choice). A folder given
// with --home must exist.
Result<std::filesystem::path> OpenProgramFolder(const std::filesystem::path& home);

// The day date text of a --day value ("2025年01月05日" or "20250105").
Result<std::string> DayDateTextOf(const std::string& value);

// A loaded race day.
struct LoadedDay {
    std::filesystem::path programFolder;
    std::string dateText;  // UTF-8
    app::JockeyRecommendTable jockeyTable;
    std::unique_ptr<model::RaceDay> day;
    model::DayLoadOutcome outcome;
    int race = -1;  // race index of --race; -1 when not given
};

// The race index of a --race value on the loaded day: an index that has a
// race-list line, or the text of a line (blanks ignored, "中山11R" finds
// "中山11R", "中山1R" finds "中山 1R").
Result<int> ResolveRace(const model::DayLoadOutcome& outcome, const std::string& value);

// Resolves the program folder, loads the jockey table and the settings, loads
// --day (progress on stderr) and resolves --race. With `needRace` a missing
// --race is an error, and so is a race without runners (the message of
// showing such a race). Arguments besides the three options are an error.
Result<LoadedDay> OpenDay(const Args& args, bool needRace = false);
// The same for options already parsed (a command with options of its own);
// `options.rest` is not looked at.
Result<LoadedDay> OpenDay(const DayOptions& options, bool needRace);

}  // namespace quindle::cli
