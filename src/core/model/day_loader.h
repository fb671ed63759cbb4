#pragma once
// Loading a race day from the day files into the race-day model, and the
// race-day list.

#include <filesystem>
#include <string>
#include <vector>

#include "app/jockey_recommend_table.h"
#include "model/race_day.h"
#include "util/progress.h"
#include "util/result.h"

namespace quindle::model {

// Date texts ("2025年01月05日", UTF-8) of the day RA files, newest first.
std::vector<std::string> MakeDataList(const std::filesystem::path& programFolder);

// The local clock as the load sees it ("today", "tomorrow", the time "hhnn").
struct LoadClock {
    std::string today;     // date text, UTF-8
    std::string tomorrow;  // date text, UTF-8
    std::string hhnn;      // current time
};
LoadClock SystemLoadClock();

struct DayLoadSettings {
    int autoOzGet = 10;     // "Time"/"AutoOzGet"
    int autoRdataGet = 10;  // "Time"/"AutoRdataGet"
};

// What the front end applies after a load: the schedule decisions and the
// race list.
struct DayLoadOutcome {
    std::vector<std::string> raceList;  // "中山 1R" lines (UTF-8)
    bool showRestTime = false;          // the day is today
    int refreshIntervalMs = 0;          // Timer4 interval
    bool enableRefreshTimer = false;    // Timer4 on
    bool tickAutoOdds = false;          // tick AutoOzCheck (when not ticked yet)
};

// Loads `dateText` into `day`. A missing RA file gives the error
// "データ作成が未完了のようです。"; a damaged day file ends the load with a
// message naming the file and record and leaves the model cleared.
Result<DayLoadOutcome> LoadDay(RaceDay& day, const std::filesystem::path& programFolder,
                               const std::string& dateText, const DayLoadSettings& settings,
                               const app::JockeyRecommendTable& table, const LoadClock& clock,
                               ProgressSink& progress);

}  // namespace quindle::model
