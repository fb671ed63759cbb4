#pragma once
// "直前ﾚｰｽ": the race of the loaded day that starts next.

#include <optional>
#include <vector>

#include "core/model/race_day.h"
#include "core/util/local_time.h"

namespace quindle::model {

// The race-list line of the next race to start at `now`, on a loaded day
// whose race-list lines show the races `raceIndexes`. Only a day that is
// today (the date of race index 0) has one: among the lines whose post time
// "hhmm" is later than the time "hhnn" of `now` (compared as texts), the one
// whose post time lies closest, the first in list order on a tie. Nothing
// when the day is not today or every race has started.
std::optional<int> NextRaceLine(const RaceDay& day, const std::vector<int>& raceIndexes,
                                const LocalDateTime& now);

}  // namespace quindle::model
