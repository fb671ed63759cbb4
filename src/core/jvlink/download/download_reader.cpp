#include "core/jvlink/download/download_reader.h"

#include "core/jvlink/download/download_texts.h"
#include "core/jvlink/result_text.h"
#include "core/store/files/file_batch.h"
#include "core/store/files/local_files.h"
#include "core/store/files/record_writers.h"
#include "core/text/cp932.h"
#include "core/text/fields.h"
#include "core/util/file_io.h"

namespace quindle::jvlink {
namespace {

namespace settings_key = env::settings;
using text::TrimBlanks;

std::string LapFileNotFoundText(std::string_view lap) {
    return "前回中断したファイル（" + std::string(lap) +
           "）が届かないまま、データの終わりに達しました。前回と同じ取得開始日付でセットアップデー"
           "タを取り込み直すか、通常データを取り込んでください。";
}

using Clock = std::chrono::steady_clock;

store::BatchLimits BatchLimitsOf(const DownloadOptions& options) {
    store::BatchLimits limits;
    limits.bytes = options.maxHeldBytes;
    limits.files = options.maxHeldFiles;
    limits.keepWritten = !options.flushEveryRecord;
    return limits;
}

int FromDate(std::string_view fromTime) {
    return text::ReadInt32(fromTime.substr(0, 8));
}

class DownloadReadHandler : public ReadHandler {
  public:
    DownloadReadHandler(DownloadSession& session, const DownloadOptions& options,
                        DownloadSummary& summary)
        : s_(session),
          options_(options),
          summary_(summary),
          files_(session.settings.ProgramFolder()),
          batch_(BatchLimitsOf(options)),
          rules_(store::MakeDownloadRules(FromDate(options.fromTime), options.currentYear,
                                          options.finalOdds)),
          persistedLap_(session.settings.Read(settings_key::kDownloadSetUpLapFile)),
          lap_(TrimBlanks(persistedLap_)),
          skipping_(options.setup && !lap_.empty()),
          wantsLabel_(session.observer.ShowsMkDataLabel()) {}

    bool Intercept(int result, std::string_view fileName, ReadStep& step) override {
        if (!skipping_) return false;
        if (TrimBlanks(fileName) == lap_) {
            skipping_ = false;
            return false;
        }
        if (result > 0) {
            s_.link.JVSkip();
            ++summary_.filesSkipped;
            PassFile();
        } else if (result == code::kFileBoundary) {
            PassFile();
        } else if (result == code::kEndOfData) {
            // The file to resume at never came (the from-time changed, or the
            // data did): stop here and keep the resume point.
            lapNotFound_ = true;
            step = ReadStep::Stop;
        } else if (IsReadError(result)) {
            return false;  // reported as any read error
        }
        return true;
    }

    ReadStep OnRecord(std::string_view record, std::string_view fileName) override {
        ++summary_.records;
        if (fileName != currentFile_ && !EnterFile(fileName)) return ReadStep::Stop;

        auto outcome = store::StoreDownloadRecord(files_, batch_, record, rules_);
        if (!outcome) return Fail(outcome.error());
        if (!outcome->refused.empty()) Refused(fileName, record, outcome->refused);
        summary_.linesStored += static_cast<std::int64_t>(outcome->stored.size());
        if (options_.flushEveryRecord) {
            if (!Flush()) return ReadStep::Stop;
        } else if (Status s = batch_.Trim(); !s) {
            return Fail(s.error());
        }
        if (wantsLabel_) ShowStored(*outcome, record);
        return ReadStep::Continue;
    }

    ReadStep OnFileEnd(std::string_view) override {
        const bool due = Clock::now() - lastFlush_ >= options_.flushInterval;
        if (due && !Flush()) return ReadStep::Stop;
        PassFile();
        s_.observer.SetMkDataLabel("");
        return ReadStep::Continue;
    }

    // Settles the end of the loop.
    void Finish(const ReadLoopOutcome& outcome) {
        switch (outcome.end) {
            case ReadLoopEnd::EndOfData:
                if (Flush()) Complete(outcome.code);
                break;
            case ReadLoopEnd::Cancelled:
                // What was read stays stored, as it would record by record.
                if (Flush()) {
                    summary_.end = DownloadEnd::Cancelled;
                    s_.observer.SetProgressLabel(download_text::kCancelled);
                }
                break;
            case ReadLoopEnd::ReadError:
                Flush();
                summary_.jvLinkError = true;
                summary_.end = DownloadEnd::Failed;
                {
                    std::string text = std::string(download_text::kReadError) +
                                       JvResultText(s_.link, "JVRead", outcome.code);
                    LogDownloadLine(s_, summary_, text);
                    ShowDownloadMessage(s_, summary_, std::move(text), true);
                }
                break;
            case ReadLoopEnd::Stopped:
                if (lapNotFound_) {
                    summary_.end = DownloadEnd::Failed;
                    ShowDownloadMessage(s_, summary_, LapFileNotFoundText(lap_), true);
                } else {
                    // A file error: keep what can still be written.
                    Flush();
                }
                break;
        }
    }

  private:
    // The first record of a new JV-Link file: when everything before it is
    // written, the file becomes the resume point.
    bool EnterFile(std::string_view fileName) {
        currentFile_ = std::string(fileName);
        if (!options_.setup || TrimBlanks(fileName).empty() || fileName == persistedLap_ ||
            batch_.PendingFiles() != 0) {
            return true;
        }
        if (Status s = s_.settings.Write(settings_key::kDownloadSetUpLapFile, fileName); !s) {
            Fail(s.error());
            return false;
        }
        persistedLap_ = currentFile_;
        return true;
    }

    void Complete(int result) {
        DownloadObserver& o = s_.observer;
        o.SetProgressLabel(std::string(download_text::kEndOfFile) + std::to_string(result));
        o.SetProgressLabel(ReadDoneText(summary_.filesPassed, summary_.readCount));
        o.SetDownloadBar(0, summary_.downloadCount);
        o.SetReadBar(0, summary_.readCount);
        o.SetStoreBar(0, 0);
        if (IsFileTimestamp(summary_.lastFileTimestamp)) {
            const std::string display = FromTimeDisplay(TrimBlanks(summary_.lastFileTimestamp));
            o.SetFromTime(display);
            if (Status s = s_.settings.Write(settings_key::kDownloadLastTime, display); !s) {
                Fail(s.error());
                return;
            }
        }
        if (Status s = s_.settings.Write(settings_key::kDownloadSetUpLapFile, ""); !s) {
            Fail(s.error());
            return;
        }
        o.SetProgressLabel(download_text::kCompleted);
        summary_.end = DownloadEnd::Completed;
    }

    void PassFile() {
        ++summary_.filesPassed;
        s_.observer.SetReadBar(summary_.filesPassed, summary_.readCount);
        s_.observer.SetProgressLabel(ReadingText(summary_.filesPassed, summary_.readCount));
    }

    bool Flush() {
        DownloadObserver& o = s_.observer;
        // Thousands of files may be written here: the front end shows how
        // far, and its window repaints between pieces.
        const auto progress = [&o](size_t written, size_t total) {
            o.SetStoreBar(static_cast<int>(written), static_cast<int>(total));
            o.SetProgressLabel(StoringText(written, total));
            o.Pump();
        };
        Status s = Status::Ok();
        if (batch_.PendingFiles() >= options_.storeProgressFiles) {
            s = batch_.Flush(progress);
        } else if (batch_.PendingFiles() != 0) {
            s = batch_.Flush();
        }
        lastFlush_ = Clock::now();
        if (!s) {
            Fail(s.error());
            return false;
        }
        linesInPlace_ = summary_.linesStored;
        return true;
    }

    // A file that cannot be read or written ends the download; the message
    // is the file error itself.
    ReadStep Fail(const std::string& why) {
        // What was stored since the last flush never reached its files: the
        // summary counts only the lines that did.
        summary_.linesNotStored += summary_.linesStored - linesInPlace_;
        summary_.linesStored = linesInPlace_;
        if (summary_.end != DownloadEnd::Failed) {
            summary_.end = DownloadEnd::Failed;
            ShowDownloadMessage(s_, summary_, why, true);
        }
        return ReadStep::Stop;
    }

    // The line names the JV-Link file and the record in it (type and key),
    // so the refused record can be found again.
    void Refused(std::string_view fileName, std::string_view record, const std::string& why) {
        ++summary_.refused;
        const std::string id =
            text::ToUtf8(text::FieldAt(record, store::layout::head::kRecordType)) + " " +
            text::ToUtf8(text::FieldAt(record, store::layout::head::kRaceKey));
        LogDownloadLine(s_, summary_, std::string(fileName) + ": " + id + ": " + why);
    }

    void ShowStored(const store::StoreOutcome& outcome, std::string_view record) {
        for (auto it = outcome.stored.rbegin(); it != outcome.stored.rend(); ++it) {
            std::string label = MkDataLabelText(it->row, record, it->file);
            if (label.empty()) continue;
            s_.observer.SetMkDataLabel(label);
            return;
        }
    }

    DownloadSession& s_;
    const DownloadOptions& options_;
    DownloadSummary& summary_;
    store::LocalFiles files_;
    store::FileBatch batch_;
    store::DownloadRules rules_;
    std::string persistedLap_;  // "SetUpLapFile" as it stands in the settings
    std::string lap_;           // the file to resume at, trimmed
    bool skipping_;
    bool wantsLabel_;
    bool lapNotFound_ = false;
    std::int64_t linesInPlace_ = 0;  // linesStored at the last flush that succeeded
    std::string currentFile_;
    Clock::time_point lastFlush_ = Clock::now();
};

}  // namespace

void LogDownloadLine(DownloadSession& session, DownloadSummary& summary, const std::string& line) {
    if (!session.errorLog) return;
    const Status logged = session.errorLog->AppendErrorLog(line);
    if (logged || summary.errorLogFailed) return;
    summary.errorLogFailed = true;
    ShowDownloadMessage(session, summary, logged.error(), false);
}

void ShowDownloadMessage(DownloadSession& session, DownloadSummary& summary, std::string text,
                         bool beep) {
    session.observer.ShowMessage(text, beep);
    summary.messages.push_back(std::move(text));
}

void ReadDownloadedFiles(DownloadSession& session, const DownloadOptions& options,
                         DownloadSummary& summary) {
    DownloadObserver& o = session.observer;
    o.SetProgressLabel(ReadingText(0, summary.readCount));
    o.SetReadBar(0, summary.readCount);
    summary.filesPassed = 0;

    // A download killed while writing leaves temporary files beside the
    // files it was replacing; this one starts with a clean folder.
    const size_t leftovers = RemoveAbandonedTemporaries(session.settings.ProgramFolder());
    if (leftovers > 0) {
        LogDownloadLine(
            session, summary,
            "中断された書き込みの一時ファイルを " + std::to_string(leftovers) + " 個削除しました");
    }

    DownloadReadHandler handler(session, options, summary);
    const ReadLoopOutcome outcome =
        RunReadLoop(session.link, session.flags, o, kReadBufferSize, handler);
    handler.Finish(outcome);
}

}  // namespace quindle::jvlink
