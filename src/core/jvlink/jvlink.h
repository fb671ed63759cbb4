#pragma once
// The JV-Link component as the acquisition code sees it.
//
// JV-Link is JRA-VAN Data Lab's data-access component and the only source of
// race data. The core talks to it through this interface alone; on Windows an
// adapter serves it from the real COM control, elsewhere (and in tests) the
// substitute in jvsim/ serves it from a store folder.
//
// Everything is byte-based: records reach the core as CP932 bytes ending in
// CR LF. The real component hands out UTF-16 strings; turning them into CP932
// is the Windows adapter's job, so nothing here ever sees UTF-16.
//
// Result codes are the component's own (the constants below). One session is
// open at a time: JVInit once, then JVOpen or JVRTOpen, the reads, JVClose.

#include <string>
#include <string_view>

namespace quindle::jvlink {

// The component's result codes that callers test by value. JVRead's positive
// results are record lengths and JVStatus's positive results file counts.
namespace code {
inline constexpr int kOk = 0;
inline constexpr int kEndOfData = 0;        // JVRead: every file has been read
inline constexpr int kNoData = -1;          // JVOpen, JVRTOpen: nothing newer than asked for
inline constexpr int kFileBoundary = -1;    // JVRead: one file ended, the next follows
inline constexpr int kBusy = -2;            // JVRead: still busy; callers treat it as -3
inline constexpr int kSetupCancelled = -2;  // JVOpen: cancel pressed in the set-up dialog
inline constexpr int kDownloading = -3;     // JVRead: the next file is not downloaded yet
inline constexpr int kUiPropertiesFailed = -100;
inline constexpr int kSidMissing = -101;    // JVInit
inline constexpr int kSidTooLong = -102;    // JVInit: longer than 64 bytes
inline constexpr int kSidBlankHead = -103;  // JVInit: first character a blank
inline constexpr int kBadDataSpec = -111;
inline constexpr int kBadFromTime = -112;
inline constexpr int kBadKey = -114;
inline constexpr int kBadOption = -115;
inline constexpr int kBadSpecOption = -116;   // data spec and option do not go together
inline constexpr int kNotInitialised = -201;  // JVInit has not succeeded
inline constexpr int kStillOpen = -202;       // the previous session was not closed
inline constexpr int kNotOpened = -203;       // no JVOpen (or JVRTOpen) session
inline constexpr int kBadRegistry = -211;
inline constexpr int kAuthFailed = -301;
inline constexpr int kServiceKeyExpired = -302;
inline constexpr int kNoServiceKey = -303;
inline constexpr int kTermsNotAccepted = -305;
inline constexpr int kInternalError = -401;
inline constexpr int kBadFileSize = -402;
inline constexpr int kBadFileContent = -403;
inline constexpr int kServerNotFound = -411;
inline constexpr int kServerForbidden = -412;
inline constexpr int kServerError = -413;
inline constexpr int kBadServerResponse = -421;
inline constexpr int kServerAppError = -431;
inline constexpr int kSetupMediumInvalid = -501;
inline constexpr int kDownloadFailed = -502;
inline constexpr int kFileNotFound = -503;
inline constexpr int kMaintenance = -504;
}  // namespace code

// JVOpen options.
namespace option {
inline constexpr int kNormal = 1;         // files newer than the from-time
inline constexpr int kThisWeek = 2;       // this week's data
inline constexpr int kSetup = 3;          // set-up data from the from-time (with a dialog)
inline constexpr int kSetupNoDialog = 4;  // set-up data, no dialog
}  // namespace option

class JvLink {
  public:
    virtual ~JvLink() = default;

    // `sid` is the software identification text. 0 ready; otherwise an error code.
    virtual int JVInit(std::string_view sid) = 0;

    // Shows the component's own settings dialog. 0 done.
    virtual int JVSetUIProperties() = 0;

    // Asks for accumulated data: `dataSpec` is a concatenation of four-letter
    // data spec ids ("RACEDIFN"), `fromTime` "yyyymmddhhnnss", `option` one of
    // option::k*. On 0 the outputs hold the number of files the session will
    // deliver, how many of them still have to be downloaded, and the time stamp
    // "yyyymmddhhnnss" of the newest file. -1: nothing newer.
    virtual int JVOpen(std::string_view dataSpec, std::string_view fromTime, int option,
                       int& readCount, int& downloadCount, std::string& lastFileTimestamp) = 0;

    // Files downloaded so far in the JVOpen session (rises to downloadCount);
    // negative: an error code.
    virtual int JVStatus() = 0;

    // Asks for real-time data: `dataSpec` such as "0B30", `key` a race key
    // (16 characters) or a day "yyyymmdd". 0 opened; -1 no data.
    virtual int JVRTOpen(std::string_view dataSpec, std::string_view key) = 0;

    // Reads the next record into `buffer` (CP932 bytes ending in CR LF).
    // `size` is the buffer size on entry (a longer record is cut to it, as the
    // component's own buffer copy does) and the number of bytes set on return.
    // `fileName` is the name of the file being read. Result: > 0 the record
    // length; 0 end of all files; -1 a file ended; -2, -3 still downloading
    // (read on); below -3 an error.
    virtual int JVRead(std::string& buffer, int& size, std::string& fileName) = 0;

    // Passes over the rest of the file being read; the next JVRead returns
    // the next file's first record.
    virtual int JVSkip() = 0;

    // Stops a download in progress. The session stays open until JVClose.
    virtual int JVCancel() = 0;

    // Ends the session. 0 closed; other: an error code.
    virtual int JVClose() = 0;

    // The component's version property, four characters such as "0490".
    virtual std::string JVLinkVersion() const = 0;

    // What the component knows of its last error beyond the code (UTF-8):
    // the substitute names the store file and line it could not use. Empty
    // when it knows nothing more (the real component never says more).
    virtual std::string LastErrorDetail() const { return {}; }
};

}  // namespace quindle::jvlink
