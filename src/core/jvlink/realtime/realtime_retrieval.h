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
// Race records are passed as the RA images (CP932) of the model: the key,
// venue and race number are read from them.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "env/error_log.h"
#include "jvlink/jvlink.h"
#include "jvlink/read_loop.h"
#include "jvlink/realtime/realtime_observer.h"

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

// One line of the race list: the race's index in the model and its RA image.
struct ListedRace {
    int raceIndex = 0;
    std::string ra;
};

class RealtimeRetrieval {
  public:
    // `errorLog` may be null.
    RealtimeRetrieval(JvLink& link, AcquisitionFlags& flags, std::filesystem::path programFolder,
                      env::ErrorLog* errorLog, RealtimeObserver& observer);

    // "速報ｵｯｽﾞ": odds of the selected race, whose RA image is `selectedRa`
    // and whose index in the race list is `raceIndex`.
    RealtimeOutcome RetrieveRaceOdds(std::string_view selectedRa, int raceIndex);

    // "1日分の全オッズを一括取得": odds of every race of the race list, in
    // its order.
    RealtimeOutcome RetrieveDayOdds(const std::vector<ListedRace>& raceList);

    // "ｵｯｽﾞ取得（自動）": odds of every entry of the automatic list (a
    // 16-character race key followed by the race index "%2d"). The list is
    // taken as it is at the call; nothing that runs meanwhile can change it.
    RealtimeOutcome RetrieveAutoOdds(std::vector<std::string> entries, std::string_view selectedRa);

    // "結果情報": the day's results; `firstRa` is the RA image of the day's
    // first race (its date is the key), `selectedRa` the selected race's (for
    // the error text). No beep while AutoResultsRun is set.
    RealtimeOutcome RetrieveResults(std::string_view firstRa, std::string_view selectedRa);

    // "ﾏｲﾆﾝｸﾞ": the day's mining predictions, as RetrieveResults; no beep
    // while AutoMiningRun is set.
    RealtimeOutcome RetrieveMining(std::string_view firstRa, std::string_view selectedRa);

  private:
    struct SessionRules;
    void RunSession(const SessionRules& rules, std::string_view key, RealtimeOutcome& out);
    void Status(std::string_view text);
    void ErrorLine(std::string text, RealtimeOutcome& out);
    void ErrorLogFailed(const std::string& reason, RealtimeOutcome& out);
    void RaceOdds(std::string_view raceKey, const std::string& venueRace, bool autoList,
                  RealtimeOutcome& out);
    RealtimeOutcome DaySession(bool results, std::string_view firstRa, std::string_view selectedRa);

    JvLink& link_;
    AcquisitionFlags& flags_;
    std::filesystem::path programFolder_;
    env::ErrorLog* errorLog_;
    RealtimeObserver& observer_;
};

}  // namespace quindle::jvlink
