#pragma once
// The error log "ErrorLog.txt" in the program folder: CP932 text, one entry
// per line, CR LF line ends. Each start of the program trims it to its last
// 100 lines and adds a start-up line and the program folder; every failure
// that is not shown in a dialog adds a time-stamped error line.
//
// `LogLines` is the working copy of the file (CP932 lines). The mail code
// reuses the same list as the transcript of a send.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/local_time.h"
#include "core/util/result.h"

namespace quindle::env {

inline constexpr std::string_view kErrorLogFileName = "ErrorLog.txt";

// Lines kept from earlier runs when the program starts.
inline constexpr size_t kErrorLogKeptLines = 100;

class ErrorLog {
  public:
    explicit ErrorLog(std::filesystem::path programFolder, LocalClock clock = CurrentLocalDateTime);

    // The start-up entry: loads the file when it exists, drops its first lines
    // while more than 100 remain, appends "ソフト起動：" with the date and time
    // and the program folder line, and saves (creating the file).
    Status StartEntry();

    // Appends "【エラー】hh:nn:ss：" + `message` (UTF-8) to the file. A file
    // removed since start-up is created again, so no error line is lost.
    Status AppendErrorLog(std::string_view message);

    // The file, found without regard to letter case.
    std::filesystem::path FilePath() const;

    std::vector<std::string> LogLines;

  private:
    Status Load();
    Status Save() const;

    std::filesystem::path programFolder_;
    LocalClock clock_;
};

}  // namespace quindle::env
