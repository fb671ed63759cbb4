#pragma once
// Reading the jockey recommendation table file of the program folder.

#include <filesystem>

#include "analysis/jockey_recommend_table.h"
#include "util/result.h"

namespace quindle::load {

// Loads "jockdata.kcsv" of `programFolder` (found in any letter case). A
// missing file gives an empty table; a file that exists but cannot be read is
// an error.
Result<analysis::JockeyRecommendTable> LoadJockeyRecommendTable(
    const std::filesystem::path& programFolder);

}  // namespace quindle::load
