#pragma once
// The comma files of a loaded race day ("CSV出力"): one line per entered
// runner of every race, the race key and horse number followed by one mark
// of the runner, for the user's other tools.
//
//   TanSuisho / FukuSuisho   win and place recommendation marks (0, 1, 2)
//   Get / Give               jockey-change marks (0, 1)
//   ZensoKachiAgari          previous-race rivals that placed next time ("%2d")
//
// A file is named base name + day date (yyyymmdd) + ".csv" and holds CP932
// lines ending in CR LF, without header, quoting or trailing separator. Each
// file is written whole or not at all.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/env/settings_file.h"
#include "core/model/race_day.h"
#include "core/util/result.h"

namespace quindle::exports {

// The commands of the "CSV出力" menu; each writes its files in this order.
enum class DayExport {
    Recommend,            // "単推奨・複推奨": TanSuisho, FukuSuisho
    GetGive,              // "Get・Give": Get, Give
    PreviousRaceWinners,  // "勝ち上り馬": ZensoKachiAgari
};

// One export file before it is written.
struct ExportFile {
    std::string_view baseName;  // "TanSuisho"
    std::string bytes;          // CP932, CR LF lines
};

// The day date of the files: year and month-day of race index 0 (yyyymmdd,
// as the RA record holds them).
std::string ExportDayDate(const model::RaceDay& day);

// The files of `kind` for the races `races` (race indexes in race-list
// order); within a race the runner slots from 0, as many as its 登録頭数.
std::vector<ExportFile> BuildDayExport(const model::RaceDay& day, const std::vector<int>& races,
                                       DayExport kind);

// folder / (base name + day date + ".csv").
std::filesystem::path ExportPath(const std::filesystem::path& folder, std::string_view baseName,
                                 std::string_view dayDate);

// Builds and writes the files of `kind` into `folder`, in order, each one
// atomically; returns their paths. A missing folder writes nothing; a file
// that cannot be written ends the export there (the files before it stay).
Result<std::vector<std::filesystem::path>> WriteDayExport(const model::RaceDay& day,
                                                          const std::vector<int>& races,
                                                          DayExport kind,
                                                          const std::filesystem::path& folder);

// The CSV folder of the settings ("Dir"/"CSV1"; the program folder's "CSV"
// by default), as stored.
std::filesystem::path CsvExportFolder(const env::SettingsFile& settings);

// The completion message (UTF-8): "以下のCSVファイルを出力しました。", CR LF, and
// each path followed by CR LF; the single path of "勝ち上り馬" has none.
std::string ExportDoneMessage(const std::vector<std::filesystem::path>& paths, DayExport kind);

// The question before "勝ち上り馬" when the previous-race search has not run
// for the loaded day (UTF-8).
inline constexpr std::string_view kZensoExtractQuestion =
    "「前走勝ち上り馬」の抽出が必要です。抽出をおこないますか？";

}  // namespace quindle::exports
