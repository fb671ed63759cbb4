#pragma once
// The statistics files of the "統計" tab: comma files of past race results,
// one race per line after a header line, kept in the program folder's
// "HPupload" folder. A file loads into the data grid of 39 columns (row 0 the
// header line) and the grid saves back as quoted comma text; both CP932 with
// CR LF line ends.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"

namespace quindle::stats {

inline constexpr int kStatsColumns = 39;

// The canonical name of the statistics folder under the program folder.
inline constexpr std::string_view kStatsFolderName = "HPupload";
// The file name the "保存" box starts with.
inline constexpr std::string_view kDefaultStatsFileName = "Tokei.csv";

// The data grid: row 0 the file's header line, every further row one race;
// each row has exactly kStatsColumns cells (CP932).
using StatsRow = std::vector<std::string>;
using StatsGrid = std::vector<StatsRow>;

// The rows of a statistics file's bytes, one per line. Fields beyond the
// grid's columns are dropped and missing ones are empty.
StatsGrid ParseStatsFile(std::string_view bytes);
// The file of `grid`: each row's cells quoted (a quote inside doubled),
// joined by commas, each line followed by CR LF.
std::string StatsFileBytes(const StatsGrid& grid);

// The statistics folder of `programFolder`: an existing "HPupload" in any
// letter case, else the path with the canonical name (which may not exist).
std::filesystem::path StatsFolder(const std::filesystem::path& programFolder);

// Reads a statistics file. A missing or unreadable file is an error.
Result<StatsGrid> LoadStatsFile(const std::filesystem::path& path);

// Saves `grid` as `fileName` (UTF-8, a plain file name) in `folder`, replacing
// the file at once; returns its path. An empty name, a name with a folder
// part, or a missing folder is an error and writes nothing.
Result<std::filesystem::path> SaveStatsFile(const std::filesystem::path& folder,
                                            std::string_view fileName, const StatsGrid& grid);

}  // namespace quindle::stats
