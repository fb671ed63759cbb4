#pragma once
// Real-time retrievals of the open race day: odds of one race, of the
// schedule's automatic list or of every race ("0B30"), the day's results
// ("0B12") and mining predictions ("0B13"). Each is one complete JV-Link
// session (JVRTOpen, the reader, JVClose) that stores into the day files.
//
// Failures never show a dialog: the text goes to the status line and, as one
// line, to the error log, so that unattended runs of the schedule are not
// held up. An error log that cannot be written is shown on the status line
// once per retrieval, and is no reason to stop. The engine touches no model and no window: it
// returns what the caller runs next (the odds import per race, the payout import, showing the
// selected race again) and whether the beep sounds.
//
// Races are named by their load::RaceRef (key, venue, race number, index).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/env/error_log.h"
#include "core/jvlink/jvlink.h"
#include "core/jvlink/read_loop.h"
#include "core/jvlink/realtime/realtime_observer.h"
#include "core/load/race_ref.h"
#include "core/store/files/file_batch.h"

namespace quindle::jvlink {

// Data specs of the real-time retrievals.
inline constexpr std::string_view kOddsDataSpec = "0B30";
inline constexpr std::string_view kResultsDataSpec = "0B12";
inline constexpr std::string_view kMiningDataSpec = "0B13";

struct RealtimeOutcome {
    // False: nothing was done (no race key, or a blank or zero one).
    bool ran = false;
    // Sound the system beep once.
    bool beep = false;
    // Some JV-Link call failed.
    bool jvLinkError = false;
    // A JVRTOpen answered -1: nothing has been announced for its key yet
    // (also a JV-Link error, reported as one).
    bool noData = false;
    // The status lines that were written to the error log, in order (UTF-8).
    std::vector<std::string> errorLines;
    // A file could not be read or written: the retrieval stopped there and
    // closed its session; the caller shows this text. The follow-ups listed
    // are those of the races done before it (none for a single race or day).
    std::string fileError;
    // The error log could not be written: the first reason, also shown on
    // the status line. The lines it lost are still in errorLines.
    std::string errorLogFailure;
    std::int64_t records = 0;
    std::int64_t linesStored = 0;
    std::int64_t refused = 0;

    // What the caller runs next, in this order:
    // the odds import (ImportOdds) of each index (for a
    // whole day: select that race, import, show it);
    std::vector<int> oddsImports;
    // the payout import of the day;
    bool payoutImport = false;
    // showing the selected race again.
    bool showSelectedRace = false;
};

// Adds `part` to `into`: the flags and counts, the error lines, the follow-ups
// in their order; the first file or error-log failure stays.
void MergeOutcome(RealtimeOutcome& into, RealtimeOutcome part);

class RealtimeRetrieval {
  public:
    // `errorLog` may be null.
    RealtimeRetrieval(JvLink& link, AcquisitionFlags& flags, std::filesystem::path programFolder,
                      env::ErrorLog* errorLog, RealtimeObserver& observer);

    // "速報ｵｯｽﾞ": odds of the selected race `race`.
    RealtimeOutcome RetrieveRaceOdds(const load::RaceRef& race);

    // "1日分の全オッズを一括取得": odds of every race of the race list, in
    // its order.
    RealtimeOutcome RetrieveDayOdds(const std::vector<load::RaceRef>& raceList);

    // "ｵｯｽﾞ取得（自動）": odds of every race of the automatic list. The list
    // is taken as it is at the call; nothing that runs meanwhile can change
    // it. `shown` is the race on show.
    RealtimeOutcome RetrieveAutoOdds(std::vector<load::RaceRef> queue, const load::RaceRef& shown);

    // "結果情報": the day's results; `first` is the day's first race (its
    // date is the key), `shown` the race on show (for the error text). No
    // beep while AutoResultsRun is set.
    RealtimeOutcome RetrieveResults(const load::RaceRef& first, const load::RaceRef& shown);

    // "ﾏｲﾆﾝｸﾞ": the day's mining predictions, as RetrieveResults; no beep
    // while AutoMiningRun is set.
    RealtimeOutcome RetrieveMining(const load::RaceRef& first, const load::RaceRef& shown);

  private:
    struct SessionRules;
    void RunSession(const SessionRules& rules, std::string_view key, store::FileBatch& batch,
                    RealtimeOutcome& out);
    // Writes what `batch` holds. When that fails, the text goes to
    // out.fileError and no follow-up is left: nothing is known to be stored.
    void Store(store::FileBatch& batch, RealtimeOutcome& out);
    void Status(std::string_view text);
    void ErrorLine(std::string text, RealtimeOutcome& out);
    void ErrorLogFailed(const std::string& reason, RealtimeOutcome& out);
    void RaceOdds(std::string_view raceKey, const std::string& venueRace, bool autoList,
                  store::FileBatch& batch, RealtimeOutcome& out);
    RealtimeOutcome SelectedRaceOdds(const load::RaceRef& race, store::FileBatch& batch);
    RealtimeOutcome DaySession(bool results, const load::RaceRef& first,
                               const load::RaceRef& shown);

    JvLink& link_;
    AcquisitionFlags& flags_;
    std::filesystem::path programFolder_;
    env::ErrorLog* errorLog_;
    RealtimeObserver& observer_;
};

}  // namespace quindle::jvlink
