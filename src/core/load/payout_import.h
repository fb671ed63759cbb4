#pragma once
// The payout import ("払戻取込"): after the results retrieval, the loaded
// day's races and runners are read again from the day files, its HR records
// are matched to the races, the finish positions of place-paid horses follow
// the order of the place payouts, and the payout tables are parsed again.

#include <filesystem>
#include <string>

#include "core/model/race_day.h"
#include "core/util/result.h"

namespace quindle::load {

// The import for the day `selectedDateText` (UTF-8 day date text, the loaded
// day). True when the race shown (`shownRace`, a race index; -1 for none) got
// its first payout and is to be shown again. Every file is read and checked before the model is
// touched, so a damaged day file (named in the error) changes nothing.
//
// Race indexes follow the loader: the n-th RA record is race n − 1, so the
// refreshed images stay beside the past runs and marks of the same race.
Result<bool> ImportPayouts(model::RaceDay& day, const std::filesystem::path& programFolder,
                           const std::string& selectedDateText, int shownRace);

}  // namespace quindle::load
