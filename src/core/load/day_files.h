#pragma once
// The files of one race day as the loader and the payout import read them:
// their paths (found in any letter case), the day's RA records, and the
// runners of each race taken from its venue's SE file.
//
// The day's own files must be sound: a record that fails its checks (length,
// line end, type, race key, the day's date, the venue and slot of an SE
// record), a race listed twice, a head count that is not 0-18 or a runner
// slot the SE file does not hold ends the work with a message naming the file
// and the record (line) number. Nothing of a damaged day file reaches the
// model, so no runner is shown with another's record.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/race_day.h"
#include "store/files/checked_records.h"
#include "store/files/local_files.h"
#include "util/result.h"

namespace quindle::load {

// "yyyymmdd" of a day date text "2025年01月05日" (UTF-8); nothing when the
// text has another form.
std::optional<std::string> YmdOfDateText(std::string_view dateText);
// The day date text (UTF-8) of "yyyymmdd"; nothing unless eight digits.
std::optional<std::string> DateTextOfYmd(std::string_view yyyymmdd);

// Where the files of one race day are (each found in any letter case; a
// missing file has its canonical path).
struct DayFilePaths {
    std::filesystem::path ra;
    std::filesystem::path hr;
    std::filesystem::path o1;
    std::filesystem::path o5;
    std::filesystem::path csv;  // CSV/GYN<yyyymmdd>.CSV, the day's popularity file
    std::string ymd;            // the day, "yyyymmdd"; empty: records are not checked for it
};

class DayFiles {
  public:
    // The files of the day `dateText` (UTF-8 day date text) under
    // `programFolder`. An error when the text is not a day date text.
    static Result<DayFiles> Open(const std::filesystem::path& programFolder,
                                 std::string_view dateText);

    const std::string& Ymd() const { return ymd_; }
    const DayFilePaths& Paths() const { return paths_; }
    const std::filesystem::path& Ra() const { return paths_.ra; }
    const std::filesystem::path& Hr() const { return paths_.hr; }

    // The RA records the model takes: the first 36 records of the RA file
    // (race index = position); empty when the file does not exist.
    Result<std::vector<std::string>> ReadRaces();
    // The HR records the model takes: the first 36 of the HR file.
    Result<std::vector<std::string>> ReadPayouts();

    // The runners of the race of `ra` in its venue's SE file: for slots 0 to
    // the head count − 1, `onRunner` gets the slot and its SE record (CR LF
    // included). `raRecordNumber` (1-based) names the RA record in messages.
    // Returns whether the SE file exists; a race of a venue without SE file
    // has no runners.
    Result<bool> ForEachRunner(
        const model::RaImage& ra, int raRecordNumber,
        const std::function<Status(int slot, const std::string& record)>& onRunner);

    store::LocalFiles& Files() { return files_; }

  private:
    explicit DayFiles(const std::filesystem::path& programFolder);

    // A day file of `type`: every record of the day.
    store::RecordFileSpec DaySpec(store::layout::RecordType type) const;

    // The SE records of `venueCode`'s day file, read once per DayFiles;
    // nullptr when there is no such file.
    Result<const std::vector<std::string>*> SeRecords(std::string_view venueCode,
                                                      std::filesystem::path& path);

    store::LocalFiles files_;
    std::string ymd_;
    DayFilePaths paths_;
    struct SeFile {
        std::filesystem::path path;
        std::optional<std::vector<std::string>> records;
    };
    std::map<std::string, SeFile> seFiles_;
};

// The head count (登録頭数) of an RA record, or an error naming `file` and
// `recordNumber` when it is outside 0 to 18.
Result<int> EnteredRunners(const model::RaImage& ra, const std::filesystem::path& file,
                           int recordNumber);

// "<file>: <n>行目: <reason>", the form of every message about a bad record.
std::string RecordMessage(const std::filesystem::path& file, int recordNumber,
                          std::string_view reason);

}  // namespace quindle::load
