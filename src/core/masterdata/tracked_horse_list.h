#pragma once
// The lines of the tracked-horse list window: each tracked horse with its
// newest run on file and where it runs on the loaded race day.

#include <filesystem>
#include <string>
#include <vector>

#include "core/masterdata/tracked_horses.h"
#include "core/model/race_day.h"

namespace quindle::masterdata {

// Where a tracked horse runs on the loaded day.
struct TrackedEntry {
    int race = 0;       // race index
    int slot = 0;       // runner slot
    std::string label;  // "中山11R 3番" (UTF-8)
};

struct TrackedHorseRow {
    std::string pedigree;  // 10 digits
    std::string name;      // UTF-8, full-width blanks removed
    // "2025/03/16 中山11R 弥生賞 3着" (UTF-8); empty: no run on file.
    std::string lastRun;
    // Empty: not entered on the loaded day (or none is loaded).
    std::vector<TrackedEntry> entries;
};

// The rows of `list` in its order. Last runs come from the horses' history
// files; what reading them worked around goes to `problems`. `day` may be
// null when no day is loaded.
std::vector<TrackedHorseRow> TrackedHorseRows(const TrackedHorses& list,
                                              const std::filesystem::path& programFolder,
                                              const model::RaceDay* day,
                                              std::vector<std::string>& problems);

// The runners of `day` whose horse is in `list`.
std::vector<TrackedEntry> TrackedRunners(const TrackedHorses& list, const model::RaceDay& day);

}  // namespace quindle::masterdata
