#pragma once
// The previous-race winners search "前走勝ち上り": for every runner of every
// race of the day, the horses of the race it ran last, each followed to its
// next run to see whether it won or placed there. The search fills the
// ZensoMembers of every runner; analysis/zenso.h shows them.
//
// The search reads other days' files: the SE day file of each previous race,
// the run history of each horse in it, and the RA day file of each next run.
// Each day file is read at most once per search and each horse's history once
// per previous race, so a day of 36 races costs a few hundred file reads
// beyond the histories themselves.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/race_day.h"
#include "core/util/progress.h"
#include "core/util/result.h"

namespace quindle::load {

// Messages of the search (UTF-8).
inline constexpr std::string_view kZensoNoDayMessage = "開催日を選択しデータを読み込んでください。";
inline constexpr std::string_view kZensoDoneMessage = "データの検索が完了しました。";

// Every runner's ZensoMembers of every race back to empty (finishes 99).
void ResetZensoMembers(model::RaceDay& day);

// The search over the loaded day in `day`, reading the files under
// `programFolder`. It sets ZensoExtracted to 0, resets and fills every
// runner's ZensoMembers, then sets ZensoExtracted to 1. Progress goes to the
// detail line ("中山 1R <runner>-前走対戦馬-><horse>"), with a pump after every
// horse read. Fails with kZensoNoDayMessage when no day is loaded, and with
// the reason when a file exists but cannot be read. Every record read is
// checked: a damaged one is never used (the horse, or the next run it would
// have given, stays unknown), and its message (file and line) goes to
// `problems` when given.
Status SearchPreviousRaceWinners(model::RaceDay& day, const std::filesystem::path& programFolder,
                                 ProgressSink& progress,
                                 std::vector<std::string>* problems = nullptr);

}  // namespace quindle::load
