#pragma once
// The readers of the real-time retrievals: the read loop over an open
// JVRTOpen session, storing each record as its retrieval's writer rows say
// (store/files/record_writers.h): odds O1/O5, results RA/SE into existing day
// files and HR, mining DM.
//
// A reader stores into the FileBatch of its retrieval, which writes it once
// when the retrieval ends (RealtimeRetrieval): every retrieval delivers the
// whole day so far again, and writing the day files after each JV-Link file
// rewrote and synced them tens of times for nothing. A results run never
// shares a batch with the automatic odds list or any other work list.

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/env/error_log.h"
#include "core/jvlink/jvlink.h"
#include "core/jvlink/read_loop.h"
#include "core/store/files/file_batch.h"
#include "core/store/files/record_writers.h"

namespace quindle::jvlink {

enum class RealtimeReader { Odds, Results, Mining };

// The JVRead buffer size of a reader: 100000 for odds, 60000 for results and
// mining predictions.
int ReaderBufferSize(RealtimeReader reader);

// The writer rows a reader stores by.
store::Writer ReaderWriter(RealtimeReader reader);

struct RealtimeReadResult {
    ReadLoopOutcome loop;
    // A file that could not be read or written ended the reading (UTF-8).
    std::string fileError;
    std::int64_t records = 0;
    std::int64_t linesStored = 0;
    std::int64_t refused = 0;  // refused records, each written to the error log
    // The error log could not be written: the first reason (UTF-8).
    std::string errorLogFailure;
};

// Runs the read loop of `reader` on the open session of `link`, storing into
// `batch` for the files under `programFolder`; the caller flushes it.
// `errorLog` may be null.
RealtimeReadResult ReadRealtimeRecords(JvLink& link, const AcquisitionFlags& flags,
                                       ProgressSink& sink,
                                       const std::filesystem::path& programFolder,
                                       RealtimeReader reader, env::ErrorLog* errorLog,
                                       store::FileBatch& batch);

}  // namespace quindle::jvlink
