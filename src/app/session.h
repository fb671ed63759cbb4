#pragma once
// The session both front ends work in: the program folder and its start-up,
// the settings of a day load, the race days and races named by text, loading
// a day, and the program's JV-Link. The window and the terminal keep only
// their parsing and drawing; what a day or a race means is decided here once.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/jvlink_source.h"
#include "app/startup.h"
#include "core/load/day_loader.h"
#include "core/model/race_day.h"
#include "core/util/local_time.h"
#include "core/util/progress.h"
#include "core/util/result.h"

namespace quindle::app {

struct SessionOptions {
    std::filesystem::path home;  // --home; empty: QUINDLE_HOME, then the default choice
    // A --home that does not exist is refused instead of made (the terminal's
    // commands that only read).
    bool homeMustExist = false;
    JvLinkOptions jvLink;
    const env::Registry* registry = nullptr;  // nullptr: the platform's registry
    // The computer's clock, read when no --clock starts a simulated one.
    LocalClock clock = CurrentLocalDateTime;
    // The program's clock when the caller made it already (the window shares
    // it with its timers); nullptr: made from jvLink.clock and `clock`.
    std::shared_ptr<ProgramClock> programClock;
};

// The program folder the session of `options` works in (chosen as
// Session::Open chooses it), without running the start-up.
Result<std::filesystem::path> ChooseProgramFolder(const SessionOptions& options);

class Session {
  public:
    // Chooses the program folder and runs the start-up in it (folders, the
    // sibling programs' folders, the jockey table, the error log's start
    // entry). Fails only when there is no program folder to work in; the
    // other start-up problems are in StartupProblems().
    static Result<Session> Open(const SessionOptions& options);

    const std::filesystem::path& ProgramFolder() const { return state_.programFolder; }
    env::SettingsFile& Settings() { return state_.settings; }
    const env::SettingsFile& Settings() const { return state_.settings; }
    env::ErrorLog& ErrorLog() { return state_.errorLog; }
    const analysis::JockeyRecommendTable& JockeyTable() const { return state_.jockeyTable; }
    const std::vector<std::string>& StartupProblems() const { return state_.problems; }
    // The program's clock: every time the session reads, and the moment the
    // substitute serves data for when the clock is simulated.
    const LocalClock& Clock() const { return clock_; }
    const std::shared_ptr<ProgramClock>& SharedClock() const { return programClock_; }
    // The start-up state, handed on whole to the window.
    StartupState& Startup() { return state_; }

    // --- Race days and races ---------------------------------------------------------

    // The race days of the program folder, newest first (date texts, UTF-8).
    std::vector<std::string> RaceDays() const;
    // The race day named by `text`: a date text "2025年01月05日", "20250105"
    // or "newest". An error unless it is one of `raceDays`.
    Result<std::string> ResolveDay(std::string_view text,
                                   const std::vector<std::string>& raceDays) const;
    // The settings of a day load ("Time"/"AutoOzGet", "Time"/"AutoRdataGet",
    // "Time"/"MailLead").
    load::DayLoadSettings LoadSettings() const;
    // Loads `dateText` into `day` with this session's folder, settings and
    // jockey table. The damaged files the load worked around go to the error
    // log, each after the date.
    Result<load::DayLoadOutcome> LoadDay(model::RaceDay& day, const std::string& dateText,
                                         ProgressSink& progress);

    // --- JV-Link ----------------------------------------------------------------------

    // The program's JV-Link source for these options.
    Result<JvLinkSource> JvLink(WithoutStore withoutStore) const;

  private:
    Session(StartupState state, SessionOptions options, std::shared_ptr<ProgramClock> programClock);

    StartupState state_;
    JvLinkOptions jvLink_;
    std::shared_ptr<ProgramClock> programClock_;
    LocalClock clock_;
};

// The race index named by `text` on a loaded day: an index from 0 that has a
// race-list line, or the text of a line (blanks ignored, "中山11R" finds
// "中山11R", "中山1R" finds "中山 1R").
Result<int> ResolveRace(const load::DayLoadOutcome& outcome, std::string_view text);

// The race-list line of race index `race`; the index itself when it has none.
std::string RaceListText(const load::DayLoadOutcome& outcome, int race);

// The message of showing a race without runners ("11レースはデータが不十分です。",
// UTF-8); nothing when the race has runners.
std::optional<std::string> NoRunnersMessage(const model::RaceDay& day, int race);

}  // namespace quindle::app
