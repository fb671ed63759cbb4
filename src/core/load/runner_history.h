#pragma once
// A runner's past runs as the day load takes them from its history file: the
// kept past-run images, the previous jockey, the run count and the riding
// pattern.

#include <filesystem>
#include <string>
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
// without a pattern and is reported (naming the file). Damaged records of the
// file go to `problems` (file and line); with one inside the file the runner
// gets no pattern and no past runs, with only a cut last record the rest of
// the file is used.
Status ClassifyRunner(model::RaceDay& day, int race, int slot,
                      const std::filesystem::path& programFolder, ProgressSink& progress,
                      std::vector<std::string>& problems);

}  // namespace quindle::load
