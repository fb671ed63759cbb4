#include "core/stats/stats_file.h"

#include <system_error>

#include "core/stats/comma_text.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"
#include "core/util/text_lines.h"
#include "core/util/utf8_path.h"

namespace quindle::stats {
namespace fs = std::filesystem;

StatsGrid ParseStatsFile(std::string_view bytes) {
    StatsGrid grid;
    for (const std::string& line : SplitTextLines(bytes)) {
        StatsRow row = SplitCommaText(line);
        row.resize(kStatsColumns);
        grid.push_back(std::move(row));
    }
    return grid;
}

std::string StatsFileBytes(const StatsGrid& grid) {
    std::string bytes;
    for (const StatsRow& row : grid) {
        bytes += QuotedCommaText(row);
        bytes += "\r\n";
    }
    return bytes;
}

fs::path StatsFolder(const fs::path& programFolder) {
    if (auto found = FindFolder(programFolder, kStatsFolderName)) return *found;
    return programFolder / fs::path(std::string(kStatsFolderName));
}

Result<StatsGrid> LoadStatsFile(const fs::path& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return Error{bytes.error()};
    return ParseStatsFile(*bytes);
}

Result<fs::path> SaveStatsFile(const fs::path& folder, std::string_view fileName,
                               const StatsGrid& grid) {
    if (fileName.empty()) return Error{"保存するファイル名を入力してください。"};
    const fs::path name = PathFromUtf8(fileName);
    if (fileName.find_first_of("/\\") != std::string_view::npos || name == "." || name == "..") {
        return Error{"ファイル名にフォルダを含めることはできません: " + std::string(fileName)};
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        return Error{"統計フォルダがありません: " + folder.string()};
    }
    fs::path path = folder / name;
    if (Status s = ReplaceFileAtomically(path, StatsFileBytes(grid)); !s) return Error{s.error()};
    return path;
}

}  // namespace quindle::stats
