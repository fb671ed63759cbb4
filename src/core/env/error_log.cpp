#include "core/env/error_log.h"

#include <system_error>

#include "core/text/cp932.h"
#include "core/util/file_io.h"
#include "core/util/folders.h"
#include "core/util/text_lines.h"

namespace quindle::env {
namespace fs = std::filesystem;

ErrorLog::ErrorLog(fs::path programFolder, LocalClock clock)
    : programFolder_(std::move(programFolder)), clock_(std::move(clock)) {}

fs::path ErrorLog::FilePath() const {
    return FileInFolder(programFolder_, kErrorLogFileName);
}

Status ErrorLog::Load() {
    LogLines.clear();
    const fs::path path = FilePath();
    std::error_code ec;
    if (!fs::exists(path, ec)) return Status::Ok();
    auto bytes = ReadFileBytes(path);
    if (!bytes) return Error{bytes.error()};
    LogLines = SplitTextLines(*bytes);
    return Status::Ok();
}

Status ErrorLog::Save() const {
    std::string bytes;
    for (const auto& line : LogLines) {
        bytes += line;
        bytes += "\r\n";
    }
    return ReplaceFileAtomically(FilePath(), bytes);
}

Status ErrorLog::StartEntry() {
    if (Status s = Load(); !s) return s;
    if (LogLines.size() > kErrorLogKeptLines) {
        LogLines.erase(LogLines.begin(),
                       LogLines.end() - static_cast<std::ptrdiff_t>(kErrorLogKeptLines));
    }
    LogLines.push_back(text::ToCp932("ソフト起動：" + FormatDateTime(clock_())));
    LogLines.push_back(text::ToCp932(programFolder_.string()));
    return Save();
}

Status ErrorLog::AppendErrorLog(std::string_view message) {
    // An unreadable file must not be replaced by one holding only this line.
    if (Status s = Load(); !s) return s;
    LogLines.push_back(
        text::ToCp932("【エラー】" + FormatTime(clock_()) + "：" + std::string(message)));
    return Save();
}

}  // namespace quindle::env
