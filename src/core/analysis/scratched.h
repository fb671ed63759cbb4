#pragma once
// Runners that do not run. JV-Data tells it two ways: the runner's SE record
// carries 異常区分 1 (出走取消) or 2 (発走除外), or its win odds are withdrawn
// ("----" when it was taken out before the sale, "****" after), which the
// real-time odds announce before the SE record is delivered again. Such a
// runner keeps its row and its riding pattern, but no recommendation mark and
// no line of the race mail: a bettor must never be told to back a horse that
// does not start.

#include <string>
#include <string_view>

#include "core/model/race_day.h"

namespace quindle::analysis {

// True when runner `slot` of race `race` does not run.
bool Scratched(const model::RaceDay& day, int race, int slot);

// What the card shows in place of the odds of a scratched runner (CP932): the
// abnormality text ("出走取消", "発走除外"), or "取消" when only the odds tell;
// empty for a runner that runs.
std::string ScratchText(const model::RaceDay& day, int race, int slot);

// True when `winOddsCell`, the win-odds cell of a card row, holds a scratch
// text rather than odds: the row shows a runner that does not run.
bool IsScratchText(std::string_view winOddsCell);

}  // namespace quindle::analysis
