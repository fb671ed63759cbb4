#pragma once
// The history scan: every central-venue runner result of the program folder
// in a period of race dates, judged as the day load judges it on its race
// day (pattern, previous jockey, Get/Give, class move), with its finish,
// popularity, odds and what its win and place tickets paid.
//
// Each horse's history file is read once: the file holds every run of the
// horse, so each run in the period is judged against the runs before it in
// the same buffer. Races and payouts come from the day files, each read once.

#include <filesystem>
#include <string>
#include <vector>

#include "core/analysis/scanned_runner.h"
#include "core/util/progress.h"
#include "core/util/result.h"

namespace quindle::load {

struct HistoryScan {
    // Ordered by race key, then horse number.
    std::vector<analysis::ScannedRunner> runners;
    int historyFiles = 0;  // history files read
    // Files the scan worked around (a history or day file that could not be
    // read); UTF-8.
    std::vector<std::string> problems;
};

enum class TrioOdds { kRead, kSkip };

// Scans the runs dated `from` to `to` (yyyymmdd, both included). Reports the
// files read on `progress`; a cancel there ends the scan with the error
// kScanCancelled. The trio favourite's odds (for the ☆ of the marks) take
// the day's O5 files, the largest files of a day; kSkip leaves them unread
// and the odds at 0 where no mark is looked up.
Result<HistoryScan> ScanHistory(const std::filesystem::path& programFolder, int from, int to,
                                ProgressSink& progress, TrioOdds trioOdds = TrioOdds::kRead);

// The pedigree numbers of the history files under SEI/<yyyy>/ (the file
// names without ".jvSEI", in any letter case), sorted.
std::vector<std::string> HistoryPedigrees(const std::filesystem::path& programFolder);

inline constexpr const char* kScanCancelled = "集計を中止しました。";

}  // namespace quindle::load
