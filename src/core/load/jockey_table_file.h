#pragma once
// Reading the jockey recommendation table file of the program folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/jockey_recommend_table.h"
#include "core/util/result.h"

namespace quindle::load {

// Loads "jockdata.kcsv" of `programFolder` (found in any letter case). A
// missing file gives an empty table; a file that exists but cannot be read is
// an error. The lines no lookup can use go to `problems` (UTF-8, "<file>:
// <n>行目: <why>").
Result<analysis::JockeyRecommendTable> LoadJockeyRecommendTable(
    const std::filesystem::path& programFolder, std::vector<std::string>& problems);

// The table of `bytes`, the contents of `file` (named in the messages that go
// to `problems`).
analysis::JockeyRecommendTable JockeyTableFromBytes(std::string_view bytes,
                                                    const std::filesystem::path& file,
                                                    std::vector<std::string>& problems);

}  // namespace quindle::load
