#pragma once
// Which records the acquisition stores, where, and how.
//
// Each writer (the accumulated download, and the real-time retrievals of odds,
// mining predictions and results) has its rows: for a record type, the test a
// record must pass, whether positions 3-11 are normalised, the file and the
// merge. A record is handed to every row of its writer and type; the rows it
// passes store it (an SE record of the download can land both in its day file
// and in the horse's run history). Records of other types, and records that
// fail their tests, are stored nowhere.
//
// The stores go through a FileBatch; the caller flushes it (after every record
// for record-by-record storing, or at its own boundaries).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/files/file_batch.h"
#include "core/store/files/file_names.h"
#include "core/store/files/local_files.h"
#include "core/util/result.h"

namespace quindle::store {

enum class Writer {
    Download,         // accumulated download ("RACEDIFN")
    RealtimeOdds,     // "0B30": O1, O5 of one race
    RealtimeMining,   // "0B13": DM of one day
    RealtimeResults,  // "0B12": RA, SE, HR of one day
};

// The row of the writer table that stored a record.
enum class WriterRow {
    DownloadRa,             // RA into the day's .jvRA
    DownloadOtherVenueRa,   // RA of a local or overseas race (kind "A", "B") into SEIR
    DownloadSeDay,          // SE into its venue's day file
    DownloadSeHistory,      // SE into the horse's run history
    DownloadHr,             // HR into .jvHR
    DownloadFinalOdds,      // O1, O5 into .jvO1, .jvO5 (with final odds asked for)
    DownloadHorseMaster,    // UM into UMA
    DownloadJockeyMaster,   // KS into KSCH
    DownloadTrainerMaster,  // CH into KSCH
    RealtimeOdds,           // O1, O5 into .jvO1, .jvO5
    RealtimeMining,         // DM into .jvDM
    ResultsRa,              // RA into an existing .jvRA
    ResultsSeDay,           // SE into an existing venue day file
    ResultsHr,              // HR into .jvHR
};

// What one download applies to every record.
struct DownloadRules {
    int fromDate = 0;        // the from-date as the number yyyymmdd
    std::string yearLimit;   // current year − 15 as four digits; run histories
                             // are kept for horses born after it
    bool finalOdds = false;  // "確定オッズも合わせて取得する"
};

DownloadRules MakeDownloadRules(int fromDate, int currentYear, bool finalOdds);

// The earliest race date the download stores into day files: the from-date
// minus 10 as plain integer arithmetic on yyyymmdd, not a calendar step
// (20250105 gives 20250095, so the 31st of December before is not stored and
// the 1st of January is).
int EarliestDayFileDate(int fromDate);

// The year limit of run histories: `currentYear` − 15 formatted "%4d".
std::string YearLimitText(int currentYear);

// One line stored.
struct StoredLine {
    WriterRow row;
    FileKind kind;
    std::filesystem::path file;
};

struct StoreOutcome {
    // Where the record went; empty when it was passed over.
    std::vector<StoredLine> stored;
    // Why the record was refused (wrong length, a name that cannot be a file
    // name, a slot outside the file), for the error log; empty when it was not.
    // A refused record is stored nowhere and the work goes on.
    std::string refused;
};

// Stores one record (CP932, with its CR LF) as the download does. An error is
// a file that could not be read or written: it ends the download.
Result<StoreOutcome> StoreDownloadRecord(LocalFiles& files, FileBatch& batch,
                                         std::string_view record, const DownloadRules& rules);

// Stores one record as the real-time retrieval `writer` does (not Download).
Result<StoreOutcome> StoreRealtimeRecord(LocalFiles& files, FileBatch& batch, Writer writer,
                                         std::string_view record);

}  // namespace quindle::store
