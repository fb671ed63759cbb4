#pragma once
// What the accumulated download shows while it runs. The GUI's download
// dialog implements it with its two progress bars, its labels and message
// boxes; the CLI with a bar and lines on stderr; tests record the calls.
// Every text is UTF-8. The inherited Pump() is called once per pass of the
// read loop and between polls of the download stage.

#include <string_view>

#include "core/util/progress.h"

namespace quindle::jvlink {

class DownloadObserver : public ProgressSink {
  public:
    // "ダウンロード" bar: files downloaded of the files to download.
    virtual void SetDownloadBar(int /*position*/, int /*maximum*/) {}
    // "読込み" bar: files read of the files delivered.
    virtual void SetReadBar(int /*position*/, int /*maximum*/) {}
    // "保存" bar: files stored of the files to store, while the records read
    // are written to the local files (at the end, and now and then between
    // JV-Link files).
    virtual void SetStoreBar(int /*position*/, int /*maximum*/) {}
    // The stage and its counters.
    virtual void SetProgressLabel(std::string_view /*text*/) {}
    // "作成データ": what the last stored record was; empty clears it.
    virtual void SetMkDataLabel(std::string_view /*text*/) {}
    // False when the front end does not show the "作成データ" text; the
    // download then does not build it for every record.
    virtual bool ShowsMkDataLabel() const { return true; }
    // The from-time moved forward after a complete download
    // ("yyyy/mm/dd hh:nn:ss"): the date picker and its hidden label.
    virtual void SetFromTime(std::string_view /*display*/) {}
    // An information dialog with one OK button, after the system beep when
    // `beep` is set.
    virtual void ShowMessage(std::string_view /*text*/, bool /*beep*/) {}
    // The beep alone: the end-of-work signal after the session is closed.
    virtual void Beep() {}
    // The busy cursor while a session is open.
    virtual void SetBusy(bool /*busy*/) {}
};

}  // namespace quindle::jvlink
