#include "load/jockey_table_file.h"

#include "util/file_io.h"
#include "util/folders.h"

namespace quindle::load {

Result<analysis::JockeyRecommendTable> LoadJockeyRecommendTable(
    const std::filesystem::path& programFolder) {
    // Any entry of that name: one that is no file is refused by the read
    // (and named), not taken for a missing table.
    auto path = FindEntry(programFolder, analysis::kJockeyTableFileName);
    if (!path) return analysis::JockeyRecommendTable{};
    auto bytes = ReadFileBytes(*path);
    if (!bytes) return Error{bytes.error()};
    return analysis::JockeyRecommendTable::FromText(*bytes);
}

}  // namespace quindle::load
