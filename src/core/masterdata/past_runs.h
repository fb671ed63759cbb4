#pragma once
// The past runs a horse view shows: pairs of the run's SE record and the RA
// record of its race, most recent first, at most 20.
//
// In the window they are the past-run images the day load placed for the
// selected runner; from the terminal, with no day loaded, they come from the
// horse's run history file, each race looked up as the day load looks it up.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/race_day.h"

namespace quindle::masterdata {

struct PastRun {
    std::string se;  // SE record image (CP932, CR LF included)
    std::string ra;  // RA record image of its race; blanks when not found
};

// The past runs of runner slot `slot` of race `race`: the past-run images k
// = 0, 1, ... whose SE year reads above 0.
std::vector<PastRun> PastRunsOfRunner(const model::RaceDay& day, int race, int slot);

// The newest 20 runs of the history file of `pedigree` run before
// `beforeDate` (yyyymmdd; 0: every run), with their races. The history and
// the races are read and checked as the day load reads them, and what it
// worked around goes to `problems` with the load's messages: a history that
// cannot be read or has a damaged record inside gives no runs, a damaged
// race file leaves its runs with their race keys only. A horse without a
// history file has no runs.
std::vector<PastRun> PastRunsFromHistory(const std::filesystem::path& programFolder,
                                         std::string_view pedigree, int beforeDate,
                                         std::vector<std::string>& problems);

}  // namespace quindle::masterdata
