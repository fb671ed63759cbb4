#pragma once
// The read loop every JV-Link session shares, and the acquisition flags it
// and the schedule look at.
//
// One pass: let the front end process its events, stop when a cancel was
// asked for, JVRead once, then by the result: a record goes to the caller's
// handler, -1 (a file ended) to its file-end hook, 0 ends the loop, -2 and -3
// (still downloading) read on at once, and anything below -3 ends the loop as
// a read error. The caller closes the session afterwards; the loop never does.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/jvlink/jvlink.h"
#include "core/util/progress.h"

namespace quindle::jvlink {

// Flags of the acquisition, one set per process (the main window owns it and
// hands it to every engine). Nothing outside the acquisition writes them,
// except the schedule, which marks its own runs.
struct AcquisitionFlags {
    // Set by the cancel of the accumulated download; every read loop stops at
    // its next pass while it is set.
    bool CancelRequested = false;
    // Set while the schedule runs a results, respectively a mining retrieval,
    // so that those runs end without the completion beep.
    bool AutoResultsRun = false;
    bool AutoMiningRun = false;
};

// JVRead buffer sizes: the accumulated download and the odds reader use the
// larger one, the results and mining readers the smaller one.
inline constexpr int kReadBufferSize = 100000;
inline constexpr int kSmallReadBufferSize = 60000;

// What a handler wants after it has seen a result.
enum class ReadStep {
    Continue,  // read on
    Stop,      // leave the loop (the handler has said why)
};

class ReadHandler {
  public:
    virtual ~ReadHandler() = default;

    // Sees every JVRead result first, with the file name JV-Link gave. Return
    // true when the result is dealt with here (the loop then reads on, unless
    // `step` was set to Stop); false hands it on to the usual dispatch below.
    // The download passes whole files over here while it resumes.
    virtual bool Intercept(int /*result*/, std::string_view /*fileName*/, ReadStep& /*step*/) {
        return false;
    }

    // A record (CP932, ending in CR LF) of the file `fileName`. Its type is the
    // first two bytes; types the handler does not keep are simply passed over.
    virtual ReadStep OnRecord(std::string_view record, std::string_view fileName) = 0;

    // JVRead gave -1: the file `fileName` has ended and the next one follows.
    virtual ReadStep OnFileEnd(std::string_view /*fileName*/) { return ReadStep::Continue; }
};

enum class ReadLoopEnd {
    EndOfData,  // JVRead gave 0
    Cancelled,  // CancelRequested was set at the top of a pass
    ReadError,  // JVRead gave a code below -3 (`code`)
    Stopped,    // the handler asked to stop
};

struct ReadLoopOutcome {
    ReadLoopEnd end = ReadLoopEnd::EndOfData;
    int code = 0;  // the last JVRead result
};

// Runs the loop on the open session of `link` with a buffer of `bufferSize`
// bytes. `sink` is pumped once per pass.
ReadLoopOutcome RunReadLoop(JvLink& link, const AcquisitionFlags& flags, ProgressSink& sink,
                            int bufferSize, ReadHandler& handler);

// True for the JVRead results that mean "not yet, read again" (-2, -3).
constexpr bool IsReadAgain(int result) {
    return result == code::kBusy || result == code::kDownloading;
}

// True for the JVRead results that are errors (below -3).
constexpr bool IsReadError(int result) {
    return result < code::kDownloading;
}

}  // namespace quindle::jvlink
