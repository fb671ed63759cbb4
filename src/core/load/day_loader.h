#pragma once
// Loading a race day from the day files into the race-day model, and the
// race-day list.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/jockey_recommend_table.h"
#include "core/load/day_files.h"
#include "core/model/race_day.h"
#include "core/util/local_time.h"
#include "core/util/progress.h"
#include "core/util/result.h"

namespace quindle::load {

// Date texts ("2025年01月05日", UTF-8) of the day RA files in the data folder,
// newest first. Files whose name is not a day date text and ".jvRA" (in any
// letter case) are not race days and are left out.
std::vector<std::string> MakeDataList(const std::filesystem::path& programFolder);

// The days the bulk load ("一気読み") loads, in its order: the race days from
// the last entry of `raceDays` (the oldest) to the first, leaving out those
// that have statistics already ("STAT/<date>.stat1").
std::vector<std::string> BulkLoadDays(const std::filesystem::path& programFolder,
                                      const std::vector<std::string>& raceDays);

// The local clock as the load sees it ("today", "tomorrow", the time "hhnn").
struct LoadClock {
    std::string today;     // date text, UTF-8
    std::string tomorrow;  // date text, UTF-8
    std::string hhnn;      // current time
};
LoadClock SystemLoadClock();
// The clock at `now` (tomorrow is the next calendar day).
LoadClock LoadClockAt(const LocalDateTime& now);

struct DayLoadSettings {
    int autoOzGet = 10;     // "Time"/"AutoOzGet"
    int autoRdataGet = 10;  // "Time"/"AutoRdataGet"
    int mailLead = 5;       // "Time"/"MailLead"
};

// The "hhmm" at which a race's mail is due (DeliverTime): `leadMinutes` (kept
// to 1-59) before the post time, but never before the minute after the
// automatic odds retrieval had its second chance (post time minus
// `oddsMinutes` plus 1), so that the message carries the odds it fetched.
// Empty for a blank post time.
std::string DeliverTimeOf(std::string_view postTime, int leadMinutes, int oddsMinutes);

// What the front end applies after a load: the schedule decisions and the
// race list.
struct DayLoadOutcome {
    std::vector<std::string> raceList;  // "中山 1R" lines (UTF-8)
    // Race index of each line of raceList. Races whose RA year is blank or
    // "0000" have no line, so a line's position is not always its race index.
    std::vector<int> raceIndexes;
    bool showRestTime = false;  // the day is today
    // The race-day schedule of the day: the interval of the results and
    // mining refresh, and whether the refresh and the automatic odds start
    // (the day is today, or tomorrow from 18:00).
    int refreshIntervalMs = 0;
    bool startRefresh = false;
    bool startAutoOdds = false;
    // Damaged files the load worked around (a record of the day's files, a
    // horse's history, the RA file of a past date): the races concerned are
    // withheld, the runners concerned have no pattern, the runs concerned no
    // past race. For the error log; UTF-8.
    std::vector<std::string> problems;
    // The races left out because a record of their own day files is
    // damaged (their reasons are among `problems`). They have no list line.
    std::vector<WithheldRace> withheld;
    // Why the problems could not be written to the error log, when they could
    // not (UTF-8); the caller shows it, as nothing else keeps them.
    std::string errorLogFailure;
    // The day's files, for the imports that refresh a loaded day.
    DayFilePaths files;
};

// The caption of the progress window during a load.
inline constexpr const char* kDayLoadCaption = "レースデータを読み込んでいます。";
// The message when the day has no RA file.
inline constexpr const char* kDayNotReadyMessage = "データ作成が未完了のようです。";

// Loads `dateText` into `day`. A missing RA file gives the error
// "データ作成が未完了のようです。"; a damaged record of the day's files (RA,
// SE, HR) withholds its race (DayLoadOutcome::withheld) and the others load;
// a day file that cannot be read at all ends the load with its message. On
// any error the model is left cleared (TOutData cleared, every image blank,
// payout tables empty).
Result<DayLoadOutcome> LoadDay(model::RaceDay& day, const std::filesystem::path& programFolder,
                               const std::string& dateText, const DayLoadSettings& settings,
                               const analysis::JockeyRecommendTable& table, const LoadClock& clock,
                               ProgressSink& progress);

// The race-list line of an RA image: VenueName style 2, the race number
// right-aligned in two characters and "R" (UTF-8).
std::string RaceListLine(const model::RaImage& ra);

// True when the race has an RA record with a year (not blank, not "0000").
bool HasRaceYear(const model::RaImage& ra);

// The schedule decision of a load: the refresh timer and the automatic odds
// run for today, and for tomorrow from 18:00 on.
bool ScheduleOpen(const std::string& dateText, const LoadClock& clock);

}  // namespace quindle::load
