#include "core/jvlink/download/download_engine.h"

#include <thread>

#include "core/jvlink/download/download_texts.h"
#include "core/jvlink/result_text.h"

namespace quindle::jvlink {

DownloadEngine::DownloadEngine(JvLink& link, AcquisitionFlags& flags, env::SettingsFile& settings,
                               env::ErrorLog* errorLog, DownloadObserver& observer)
    : session_{link, flags, settings, errorLog, observer} {}

void DownloadEngine::Show(std::string text, bool beep) {
    ShowDownloadMessage(session_, summary_, std::move(text), beep);
}

void DownloadEngine::ShowJvLinkError(std::string text) {
    LogDownloadLine(session_, summary_, text);
    Show(std::move(text), true);
}

DownloadStage DownloadEngine::Start(const DownloadOptions& options) {
    if (stage_ != DownloadStage::Idle) return stage_;
    options_ = options;
    summary_ = DownloadSummary{};
    DownloadObserver& o = session_.observer;
    session_.flags.CancelRequested = false;
    o.SetDownloadBar(0, 0);
    o.SetReadBar(0, 0);
    o.SetStoreBar(0, 0);

    o.SetBusy(true);
    const int option = options.setup ? option::kSetup : option::kNormal;
    const int rc =
        session_.link.JVOpen(kDownloadDataSpec, options.fromTime, option, summary_.readCount,
                             summary_.downloadCount, summary_.lastFileTimestamp);
    if (rc == code::kNoData || (rc == code::kOk && summary_.readCount == 0)) {
        summary_.end = DownloadEnd::NoData;
        // A link that says why it has nothing has no source at all.
        const std::string noSource = rc == code::kNoData ? session_.link.LastErrorDetail() : "";
        std::string text(noSource.empty() ? download_text::kNoNewData : download_text::kNoSource);
        if (!noSource.empty()) {
            text += "\n" + noSource;
        } else if (!options.now.empty() && options.fromTime > options.now) {
            text += "\n" + FromTimeInFutureText(options.fromTime);
        }
        Show(std::move(text), true);
        CloseSession();
        return stage_;
    }
    if (rc != code::kOk) {
        summary_.end = DownloadEnd::Failed;
        summary_.jvLinkError = true;
        ShowJvLinkError(std::string(download_text::kOpenError) +
                        JvResultText(session_.link, "JVOpen", rc));
        CloseSession();
        return stage_;
    }
    o.SetProgressLabel(std::string(download_text::kOpenOk) + JvResultText("JVOpen", code::kOk));
    o.SetProgressLabel(ReadCountText(summary_.readCount, summary_.downloadCount));
    if (summary_.downloadCount == 0) {
        o.SetDownloadBar(100, 100);
        ReadAndClose();
        return stage_;
    }
    o.SetProgressLabel(download_text::kDownloadStarted);
    o.SetDownloadBar(0, summary_.downloadCount);
    stage_ = DownloadStage::Downloading;
    return stage_;
}

DownloadStage DownloadEngine::Poll() {
    if (stage_ != DownloadStage::Downloading) return stage_;
    DownloadObserver& o = session_.observer;
    const int n = session_.link.JVStatus();
    if (n < 0) {
        summary_.end = DownloadEnd::Failed;
        summary_.jvLinkError = true;
        ShowJvLinkError(std::string(download_text::kStatusError) +
                        JvResultText(session_.link, "JVStatus", n));
        CloseSession();
    } else if (n <= summary_.downloadCount) {
        o.SetProgressLabel(DownloadingText(n, summary_.downloadCount));
        o.SetDownloadBar(n, summary_.downloadCount);
        if (n == summary_.downloadCount) ReadAndClose();
    }
    // More files than announced: JV-Link is still settling; poll on.
    return stage_;
}

void DownloadEngine::Cancel() {
    if (stage_ == DownloadStage::Idle) return;
    const DownloadStage was = stage_;
    session_.link.JVCancel();
    session_.flags.CancelRequested = true;
    Show(std::string(download_text::kCancelled), true);
    session_.observer.SetProgressLabel(download_text::kCancelled);
    if (was == DownloadStage::Downloading) {
        // The read loop closes its own session when it sees the flag; a
        // download that was only being polled has no loop to do it.
        summary_.end = DownloadEnd::Cancelled;
        CloseSession();
    }
}

const DownloadSummary& DownloadEngine::Run(const DownloadOptions& options,
                                           std::chrono::milliseconds pollInterval) {
    Start(options);
    while (stage_ == DownloadStage::Downloading) {
        session_.observer.Pump();
        if (stage_ != DownloadStage::Downloading) break;
        std::this_thread::sleep_for(pollInterval);
        Poll();
    }
    return summary_;
}

void DownloadEngine::SetUIProperties() {
    const int rc = session_.link.JVSetUIProperties();
    if (rc != code::kOk) {
        session_.observer.ShowMessage(std::string(download_text::kSetUIPropertiesError) +
                                          JvResultText("JVSetUIProperties", rc),
                                      true);
    }
}

void DownloadEngine::ReadAndClose() {
    stage_ = DownloadStage::Reading;
    ReadDownloadedFiles(session_, options_, summary_);
    CloseSession();
}

void DownloadEngine::CloseSession() {
    const int rc = session_.link.JVClose();
    session_.observer.SetBusy(false);
    stage_ = DownloadStage::Idle;
    if (rc != code::kOk) {
        summary_.jvLinkError = true;
        ShowJvLinkError(std::string(download_text::kCloseError) +
                        JvResultText(session_.link, "JVClose", rc));
    } else {
        session_.observer.Beep();  // the end of the work
    }
}

}  // namespace quindle::jvlink
