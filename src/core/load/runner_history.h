#pragma once
// A runner's past runs as the day load takes them from its history file: the
// kept past-run images, the previous jockey, the run count and the riding
// pattern.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/race_day.h"
#include "core/util/progress.h"
#include "core/util/result.h"

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

// An eight-digit date yyyymmdd as a number; anything but eight digits is 0.
int DateNumber(std::string_view text);

// The checked runs of the history file `file` of horse `pedigree` (its bytes
// `historyBytes`), oldest first, into `sound`. Every record is checked and
// must be a run of this horse. A damaged record inside the file could be any
// of the runs a judgement looks at, so then `sound` is left empty and false
// is returned; a record cut off at the end (a write that never finished) is
// left out and the rest is used. Problems go to `problems` (file and line).
bool SoundHistoryRuns(std::string_view historyBytes, const std::filesystem::path& file,
                      std::string_view pedigree, std::vector<std::string_view>& sound,
                      std::vector<std::string>& problems);

// The runs of `sound` (oldest first) that were run before `today` (yyyymmdd),
// newest first, into `runs`; a run without a whole date is none.
void PastRunsBefore(const std::vector<std::string_view>& sound, int today,
                    std::vector<std::string_view>& runs);

}  // namespace quindle::load
