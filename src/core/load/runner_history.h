#pragma once
// A runner's past runs as the day load takes them from its history file: the
// kept past-run images, the previous jockey, the run count and the riding
// pattern.

#include <filesystem>
#include <string_view>
#include <vector>

#include "model/race_day.h"
#include "util/progress.h"
#include "util/result.h"

namespace quindle::load {

// Reads the runner's history file, fills PastSE and the race keys of PastRA
// for the first 20 runs before the race date (newest first), and sets
// TenNori, RenzokuKijo, NoriModori, PrevJockeyCode, PrevJockeyName and
// PastRunCount. Expects the slot's past-run images blank (the day load blanks
// every image first). A runner without a history file gets no pattern and no
// error; a history file that exists but cannot be read leaves the runner
// without a pattern and is reported (naming the file).
// An eight-digit date yyyymmdd as a number; anything but eight digits is 0.
int DateNumber(std::string_view text);

// The runs of a history file's bytes (an array of SE records, oldest first)
// that were run before `today` (yyyymmdd), newest first, into `runs`; a run
// without a whole date is none. A partial record at the end is no record.
void PastRunsBefore(std::string_view historyBytes, int today, std::vector<std::string_view>& runs);

Status ClassifyRunner(model::RaceDay& day, int race, int slot,
                      const std::filesystem::path& programFolder, ProgressSink& progress);

}  // namespace quindle::load
