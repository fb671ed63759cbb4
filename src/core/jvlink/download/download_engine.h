#pragma once
// The accumulated download ("JVデータ取込"): opens a "RACEDIFN" session from
// a from-time, waits for JV-Link to download its files, reads and stores every
// record (download_reader.h) and closes the session.
//
// Idle -> Downloading (only when JV-Link has files to download) -> Reading ->
// Idle. Start() runs as far as it can at once: straight through the reading
// when nothing is to be downloaded, else it returns in the Downloading stage
// and the front end calls Poll() every 10 ms (the dialog's timer) until the
// stage is Idle again. Run() does the same with a sleep between polls, for
// the command line. Cancel() may come at any time, also from inside the read
// loop's pump.
//
// "LastTime" moves forward only when a download reads to the end, to the
// time stamp of the newest file delivered; "SetUpLapFile" is cleared then and
// otherwise names the file a set-up download resumes at.

#include <chrono>

#include "core/jvlink/download/download_reader.h"

namespace quindle::jvlink {

enum class DownloadStage {
    Idle,
    Downloading,  // JV-Link downloads; Poll() watches it
    Reading,      // inside the read loop
};

// The data spec of the accumulated download: race data and differences.
inline constexpr std::string_view kDownloadDataSpec = "RACEDIFN";

class DownloadEngine {
  public:
    // `errorLog` may be null.
    DownloadEngine(JvLink& link, AcquisitionFlags& flags, env::SettingsFile& settings,
                   env::ErrorLog* errorLog, DownloadObserver& observer);

    DownloadEngine(const DownloadEngine&) = delete;
    DownloadEngine& operator=(const DownloadEngine&) = delete;

    // "データ取込" (after the front end's confirmation): clears CancelRequested
    // and opens the session. Does nothing while a download is under way, so
    // a second press never opens a second session.
    DownloadStage Start(const DownloadOptions& options);

    // One poll of the download stage (the 10 ms timer). When every file is
    // downloaded it reads them and closes the session.
    DownloadStage Poll();

    // "データ取込中止" after the user said yes: JVCancel, CancelRequested set.
    // A running read loop ends at its next pass and closes the session; a
    // download being polled is closed here, so that the next start does not
    // find the session still open. Nothing happens while idle.
    void Cancel();

    // Start, then Poll every `pollInterval` (pumping the observer between
    // polls) until idle.
    const DownloadSummary& Run(const DownloadOptions& options,
                               std::chrono::milliseconds pollInterval);

    // "JV-Link設定": JV-Link's own settings dialog; an error is shown.
    void SetUIProperties();

    DownloadStage Stage() const { return stage_; }
    const DownloadSummary& Summary() const { return summary_; }

  private:
    void ReadAndClose();
    void CloseSession();
    void Show(std::string text, bool beep);
    // A JV-Link error: shown, and kept in the error log with what the link
    // knows of it.
    void ShowJvLinkError(std::string text);

    DownloadSession session_;
    DownloadOptions options_;
    DownloadSummary summary_;
    DownloadStage stage_ = DownloadStage::Idle;
};

}  // namespace quindle::jvlink
