#pragma once
// The files of one race day as the loader and the payout import read them:
// their paths (found in any letter case), the day's RA records, and the
// runners of each race taken from its venue's SE file.
//
// Each record of the day's own files is checked (store/files/checked_records.h
// and the day's date, the venue and slot of an SE record). A damaged record
// costs the race it belongs to, not the day: line n of the RA file is race
// index n − 1, line n of a venue's SE file is race (n − 1) / 18 + 1 of that
// venue, and an HR record names its race by its key. Such a race is withheld
// (WithheldRace) and nothing of it reaches the model, so no runner is shown
// with another's record; the other races load as usual. A file that cannot
// be read at all still ends the work with its message.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/race_day.h"
#include "core/store/files/checked_records.h"
#include "core/store/files/local_files.h"
#include "core/util/result.h"

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

// A race the day's files cannot give soundly, and why.
struct WithheldRace {
    int race = -1;       // race index; -1 when the race is not one of the day's
    std::string venue;   // venue code (CP932); empty when the record does not tell
    int raceNumber = 0;  // 0 when the record does not tell
    std::string reason;  // UTF-8, naming the file, line and field
    // "中山11R" (UTF-8), or the reason's file and line when the record does
    // not tell its race.
    std::string Label() const;
};

// The day's RA records: records[i] is race index i, the first 36 lines of
// the file; a damaged line is an empty text and a withheld race.
struct DayRaces {
    std::vector<std::string> records;
    std::vector<WithheldRace> withheld;
};

// The day's sound HR records (of the first 36 lines), and the races whose
// HR record is damaged (race −1: the caller matches venue and race number).
struct DayPayouts {
    std::vector<std::string> records;
    std::vector<WithheldRace> damaged;
};

// How the runners of one race were read.
struct RunnerRead {
    bool seFile = false;   // the race's venue has an SE file
    std::string withheld;  // why the race's runners cannot be read; empty when they were
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

    // The RA records the model takes: the first 36 lines of the RA file
    // (race index = position); none when the file does not exist. A race
    // listed twice is withheld at its second line.
    Result<DayRaces> ReadRaces();
    // The HR records the model takes.
    Result<DayPayouts> ReadPayouts();

    // The runners of the race of `ra` in its venue's SE file: for slots 0 to
    // the head count − 1, `onRunner` gets the slot and its SE record (CR LF
    // included). `raRecordNumber` (1-based) names the RA record in messages.
    // A race of a venue without SE file has no runners. A race whose head
    // count, race number or SE records are unsound is withheld before
    // `onRunner` sees any of it.
    Result<RunnerRead> ForEachRunner(
        const model::RaImage& ra, int raRecordNumber,
        const std::function<Status(int slot, const std::string& record)>& onRunner);

    // Every damaged line met so far in the day's RA, SE and HR files, as
    // messages naming file, line and field (UTF-8).
    const std::vector<std::string>& Problems() const { return problems_; }

    store::LocalFiles& Files() { return files_; }

  private:
    struct SeFile {
        std::filesystem::path path;
        // Line by line; a damaged line is an empty text.
        std::optional<std::vector<std::string>> records;
        std::map<int, std::string> damagedRaces;  // race number → first problem
    };

    explicit DayFiles(const std::filesystem::path& programFolder);

    // A day file of `type`: every record of the day.
    store::RecordFileSpec DaySpec(store::layout::RecordType type) const;

    // The SE day file of `venueCode`, read once per DayFiles; its records
    // are nullopt when there is no such file.
    Result<const SeFile*> SeRecords(std::string_view venueCode);

    store::LocalFiles files_;
    std::string ymd_;
    DayFilePaths paths_;
    std::map<std::string, SeFile> seFiles_;
    std::vector<std::string> problems_;
};

// The head count (登録頭数) of an RA record, or an error naming `file` and
// `recordNumber` when it is outside 0 to 18.
Result<int> EnteredRunners(const model::RaImage& ra, const std::filesystem::path& file,
                           int recordNumber);

// "<file>: <n>行目: <reason>", the form of every message about a bad record.
std::string RecordMessage(const std::filesystem::path& file, int recordNumber,
                          std::string_view reason);

}  // namespace quindle::load
