#pragma once
// The options every race-day command shares, and opening the day they name:
//   --home DIR    the program folder (else QUINDLE_HOME, the executable's
//                 folder, the user's data folder)
//   --day DATE    "2025年01月05日", "20250105" or "newest"
//   --race RACE   a race index from 0, or a race-list text such as "中山11R"
//   --strict      damaged records the load worked around make the command
//                 fail (each is a warning on stderr either way)
// Options may also be written --name=value.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/session.h"
#include "command.h"
#include "core/load/day_loader.h"
#include "core/model/race_day.h"
#include "core/util/result.h"

namespace quindle::cli {

struct DayOptions {
    std::filesystem::path home;       // empty: not given
    std::optional<std::string> day;   // as given
    std::optional<std::string> race;  // as given
    bool strict = false;              // --strict
    Args rest;                        // arguments that are none of these
};

// Takes --home, --day and --race out of `args`. A missing value is an error.
Result<DayOptions> ParseDayOptions(const Args& args);

// The session of the program folder `home` (empty: the default choice) with
// the JV-Link options `jvLink`. A folder given with --home must exist unless
// the command makes it (`makeHome`). The start-up's problems go to stderr.
Result<app::Session> OpenSession(const std::filesystem::path& home, app::JvLinkOptions jvLink = {},
                                 bool makeHome = false);

// A loaded race day.
struct LoadedDay {
    std::unique_ptr<app::Session> session;
    std::string dateText;  // UTF-8
    std::unique_ptr<model::RaceDay> day;
    load::DayLoadOutcome outcome;
    int race = -1;  // race index of --race; -1 when not given
    bool strict = false;

    const std::filesystem::path& programFolder() const { return session->ProgramFolder(); }
};

// Prints each of `problems` (damaged records a load or search worked around:
// file, line, what) as a warning on stderr. With --strict any problem is an
// error, named after `what` (the day, the code looked up).
Status ReportProblems(const std::vector<std::string>& problems, bool strict,
                      const std::string& what);
Status ReportProblems(const LoadedDay& loaded, const std::vector<std::string>& problems);

// Opens the session, loads --day (progress on stderr), reports the load's
// problems and resolves --race.
// With `needRace` a missing --race is an error, and so is a race without
// runners (the message of showing such a race). Arguments besides the three
// options are an error.
Result<LoadedDay> OpenDay(const Args& args, bool needRace = false, app::JvLinkOptions jvLink = {});
// The same for options already parsed (a command with options of its own);
// `options.rest` is not looked at.
Result<LoadedDay> OpenDay(const DayOptions& options, bool needRace, app::JvLinkOptions jvLink = {});

}  // namespace quindle::cli
