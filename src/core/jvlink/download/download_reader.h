#pragma once
// The reading stage of the accumulated download: the read loop over the
// files of an open "RACEDIFN" session, storing every record into the local
// files, the file counter, the resume of an interrupted set-up download, and
// what the end of the loop leaves in the settings.
//
// Stores go through one FileBatch that is written at JV-Link file boundaries
// (at most every `flushInterval`, and whenever the loop ends), so a local file
// is written once per stretch of work instead of once per record, and the
// files come out byte for byte as storing record by record makes them. JV-Link
// files are often small (a few records of one race), and a horse's history
// changes once per race it ran, so writing at every boundary would cost nearly
// as much as writing per record. Between those writes the batch keeps its
// memory bounded by writing out the files it stored into least recently.
//
// A process killed at any moment loses only records not written yet, and
// "SetUpLapFile" always names a file whose earlier files are all on disk: it
// moves to a file when that file's first record arrives with nothing left
// unwritten, so a resumed set-up download stores that file again from its
// first record, and with it everything that was lost. Storing a record twice
// is harmless (the merges replace by key or slot).

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/env/error_log.h"
#include "core/env/settings_file.h"
#include "core/jvlink/download/download_observer.h"
#include "core/jvlink/jvlink.h"
#include "core/jvlink/read_loop.h"
#include "core/store/files/file_batch.h"

namespace quindle::jvlink {

// What one download asks for.
struct DownloadOptions {
    std::string fromTime;    // "yyyymmddhhnnss"
    bool setup = false;      // JV-Link option 3 (set-up data) instead of 1 (normal)
    bool finalOdds = false;  // "確定オッズも合わせて取得する": store O1 and O5 too
    int currentYear = 0;     // run histories are kept for horses born after this − 15
    // The clock, "yyyymmddhhnnss"; empty: unknown. A from-time after it can
    // never find anything new, and the "nothing new" message says so.
    std::string now;
    // Least time between two writes of every changed file at file boundaries;
    // 0 writes at every boundary. Only such a write lets the resume point
    // move, so this bounds what a killed set-up download reads again.
    std::chrono::milliseconds flushInterval{120000};
    // Files held in memory at most, written or not: beyond either limit the
    // files stored into least recently are staged and let go of, even inside
    // a JV-Link file (a master file changes thousands of local files).
    size_t maxHeldFiles = store::BatchLimits{}.files;
    size_t maxHeldBytes = store::BatchLimits{}.bytes;
    // Write the files after every record instead, reading each again for the
    // next record; the benchmark compares the two.
    bool flushEveryRecord = false;
    // A write of at least this many files tells the front end how far it is
    // (SetStoreBar, the label) piece by piece; fewer are over in a moment.
    size_t storeProgressFiles = 256;
};

enum class DownloadEnd {
    NotRun,     // nothing started (or still running)
    Completed,  // read to the end; "LastTime" moved forward
    NoData,     // nothing newer than the from-time
    Cancelled,  // cancelled by the user
    Failed,     // a JV-Link error, a file error, or the resume file never came
};

struct DownloadSummary {
    DownloadEnd end = DownloadEnd::NotRun;
    bool jvLinkError = false;           // some JV-Link call reported an error
    std::vector<std::string> messages;  // the dialogs shown, in order (UTF-8)
    int readCount = 0;
    int downloadCount = 0;
    std::string lastFileTimestamp;
    int filesPassed = 0;           // the file counter: files read or passed over
    int filesSkipped = 0;          // files passed over while resuming a set-up download
    std::int64_t records = 0;      // records read (passed-over files not counted)
    std::int64_t linesStored = 0;  // lines stored (an SE record may store two)
    // Lines read but lost when writing their files failed (a full disk).
    std::int64_t linesNotStored = 0;
    std::int64_t refused = 0;     // records refused and written to the error log
    bool errorLogFailed = false;  // the error log could not be written (shown once)
};

// The parts of the program a download works with.
struct DownloadSession {
    JvLink& link;
    AcquisitionFlags& flags;
    env::SettingsFile& settings;
    env::ErrorLog* errorLog;  // may be null: refusals are then only counted
    DownloadObserver& observer;
};

// Runs the read loop on the open session and settles its end: the messages,
// and "LastTime" / "SetUpLapFile" after a complete read. Does not close the
// session.
void ReadDownloadedFiles(DownloadSession& session, const DownloadOptions& options,
                         DownloadSummary& summary);

// Appends a line to the error log (when the session has one). A log that
// cannot be written does not stop the download, but the first such failure is
// shown: the lines it loses would otherwise vanish unseen.
void LogDownloadLine(DownloadSession& session, DownloadSummary& summary, const std::string& line);

// Shows `text` as a dialog and keeps it in the summary.
void ShowDownloadMessage(DownloadSession& session, DownloadSummary& summary, std::string text,
                         bool beep);

}  // namespace quindle::jvlink
