#include "core/load/jockey_table_file.h"

#include "core/text/cp932.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"

namespace quindle::load {

analysis::JockeyRecommendTable JockeyTableFromBytes(std::string_view bytes,
                                                    const std::filesystem::path& file,
                                                    std::vector<std::string>& problems) {
    std::vector<analysis::TableLineProblem> lines;
    auto table = analysis::JockeyRecommendTable::FromText(bytes, &lines);
    for (const auto& line : lines) {
        problems.push_back(file.string() + ": " + std::to_string(line.line) + "行目: " + line.what +
                           " (この行では推奨マークは付きません)");
    }
    return table;
}

Result<analysis::JockeyRecommendTable> LoadJockeyRecommendTable(
    const std::filesystem::path& programFolder, std::vector<std::string>& problems) {
    // Any entry of that name: one that is no file is refused by the read
    // (and named), not taken for a missing table.
    auto path = FindEntry(programFolder, analysis::kJockeyTableFileName);
    if (!path) return analysis::JockeyRecommendTable{};
    auto bytes = ReadFileBytes(*path);
    if (!bytes) return Error{bytes.error()};
    // Read as CP932, a UTF-8 table matches no jockey name and would remove
    // every mark without a word.
    if (text::LooksLikeUtf8(*bytes)) {
        return Error{path->string() +
                     ": UTF-8 で保存されています。Shift-JIS (CP932) で保存し直してください "
                     "(推奨マークは付きません)"};
    }
    return JockeyTableFromBytes(*bytes, *path, problems);
}

}  // namespace quindle::load
