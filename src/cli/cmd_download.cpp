// quindle-cli download: the accumulated download ("JVデータ取込") into a
// program folder, from the JV-Link substitute. Progress on stderr (a bar on a
// terminal, the stage lines otherwise), the dialog texts as lines on stderr,
// a summary on stdout. Ctrl-C cancels like the dialog's cancel button. Exits
// non-zero when the download did not complete or JV-Link reported an error.
// For the benchmark: --flush-every-record writes the files after every record,
// --flush-interval-ms N sets the least time between writes at file boundaries
// (0: every boundary), --max-pending-files N and --max-held-mb N the files and
// megabytes held in memory at most.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>

#include "app/session.h"
#include "command.h"
#include "core/env/settings_file.h"
#include "core/jvlink/download/download_engine.h"
#include "core/jvlink/download/download_texts.h"
#include "core/text/fields.h"
#include "day_options.h"

namespace quindle::cli {
namespace {

using Clock = std::chrono::steady_clock;
using jvlink::DownloadEnd;

// The dialog's timer interval: how often the download stage is polled.
constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr auto kPlainLineInterval = std::chrono::seconds(5);
constexpr int kBarWidth = 30;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

// A text with its digits left out: two progress texts of one stage differ
// only in their counters.
std::string Shape(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c < '0' || c > '9') s += c;
    }
    return s;
}

class CliDownloadObserver : public jvlink::DownloadObserver {
  public:
    CliDownloadObserver() : terminal_(::isatty(STDERR_FILENO) == 1) {}
    ~CliDownloadObserver() override { EndLine(); }

    void SetEngine(jvlink::DownloadEngine* engine) { engine_ = engine; }

    void Pump() override {
        if (interrupted && engine_ && !cancelSent_) {
            cancelSent_ = true;
            engine_->Cancel();
        }
    }
    void SetDownloadBar(int position, int maximum) override { Bar(position, maximum); }
    void SetReadBar(int position, int maximum) override { Bar(position, maximum); }
    void SetStoreBar(int position, int maximum) override { Bar(position, maximum); }
    void SetProgressLabel(std::string_view text) override {
        const bool newStage = Shape(text) != Shape(label_);
        label_ = std::string(text);
        if (terminal_) {
            Draw(newStage);
        } else if (newStage || Clock::now() - lastPrint_ >= kPlainLineInterval) {
            std::fprintf(stderr, "%s\n", label_.c_str());
            lastPrint_ = Clock::now();
        }
    }
    bool ShowsMkDataLabel() const override { return false; }
    void ShowMessage(std::string_view text, bool) override {
        EndLine();
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }

  private:
    void Bar(int position, int maximum) {
        position_ = position;
        maximum_ = maximum;
        if (terminal_) Draw(false);
    }
    void Draw(bool now) {
        if (!now && Clock::now() - lastDraw_ < kRedrawInterval) return;
        lastDraw_ = Clock::now();
        std::string bar;
        if (maximum_ > 0) {
            const int p = std::clamp(position_, 0, maximum_);
            bar = std::string(static_cast<size_t>(p * kBarWidth / maximum_), '#');
            bar.resize(kBarWidth, '.');
            bar = " [" + bar + "]";
        }
        std::fprintf(stderr, "\r\033[K%s%s", label_.c_str(), bar.c_str());
        std::fflush(stderr);
        drawn_ = true;
    }
    void EndLine() {
        if (!drawn_) return;
        std::fputs("\n", stderr);
        drawn_ = false;
    }

    bool terminal_;
    jvlink::DownloadEngine* engine_ = nullptr;
    bool cancelSent_ = false;
    std::string label_;
    int position_ = 0;
    int maximum_ = 0;
    bool drawn_ = false;
    Clock::time_point lastDraw_{};
    Clock::time_point lastPrint_{};
};

struct DownloadArgs {
    std::filesystem::path home;
    std::optional<bool> setup;
    std::optional<std::string> from;  // "yyyymmddhhnnss"
    bool finalOdds = false;
    bool flushEveryRecord = false;
    std::optional<int> flushIntervalMs;
    std::optional<int> maxPendingFiles;
    std::optional<int> maxHeldMb;
};

// A whole number option's value.
Status TakeCount(std::optional<int>& target, const std::string& value) {
    target = text::ReadInt32(value);
    return Status::Ok();
}

Result<DownloadArgs> ParseDownloadArgs(const Args& args) {
    DownloadArgs out;
    const ValueOption values[] = {
        StoreOption("home", out.home),
        {"from",
         [&out](const std::string& value) -> Status {
             out.from = jvlink::FromTimeDigits(value);
             if (!out.from) {
                 return Error{"--from is written \"yyyy/mm/dd hh:nn:ss\", not '" + value + "'"};
             }
             return Status::Ok();
         }},
        {"flush-interval-ms",
         [&out](const std::string& v) { return TakeCount(out.flushIntervalMs, v); }},
        {"max-pending-files",
         [&out](const std::string& v) { return TakeCount(out.maxPendingFiles, v); }},
        {"max-held-mb", [&out](const std::string& v) { return TakeCount(out.maxHeldMb, v); }},
    };
    const FlagOption flags[] = {
        {"setup", [&out] { out.setup = true; }},
        {"normal", [&out] { out.setup = false; }},
        {"final-odds", [&out] { out.finalOdds = true; }},
        {"flush-every-record", [&out] { out.flushEveryRecord = true; }},
    };
    auto rest = TakeOptions(args, values, flags);
    if (!rest) return Error{rest.error()};
    if (!rest->empty()) {
        return Error{"unknown argument '" + rest->front() + "' (see quindle-cli download --help)"};
    }
    return out;
}

const char* EndName(DownloadEnd end) {
    switch (end) {
        case DownloadEnd::Completed:
            return "completed";
        case DownloadEnd::NoData:
            return "nothing new";
        case DownloadEnd::Cancelled:
            return "cancelled";
        case DownloadEnd::Failed:
            return "failed";
        case DownloadEnd::NotRun:
            break;
    }
    return "not run";
}

int RunDownload(const Args& given) {
    Args args = given;
    auto jvLinkOptions = app::TakeJvLinkOptions(args);
    if (!jvLinkOptions) return Fail(jvLinkOptions.error());
    auto parsed = ParseDownloadArgs(args);
    if (!parsed) return Fail(parsed.error());

    // The download makes its program folder when it is new.
    auto session = OpenSession(parsed->home, std::move(*jvLinkOptions), /*makeHome=*/true);
    if (!session) return Fail(session.error());
    auto source = session->JvLink(app::WithoutStore::kRefuse);
    if (!source) return Fail(source.error());
    auto link = source->Open();
    if (!link) return Fail(link.error());
    env::SettingsFile& settings = session->Settings();

    const LocalDateTime now = link->now;
    const jvlink::DownloadDefaults defaults = jvlink::DownloadDialogDefaults(settings, now);
    jvlink::DownloadOptions options;
    options.fromTime = parsed->from.value_or(defaults.fromTime);
    options.setup = parsed->setup.value_or(defaults.setup);
    options.finalOdds = parsed->finalOdds;
    options.currentYear = now.year;
    options.now = jvlink::TimeDigits(now);
    options.flushEveryRecord = parsed->flushEveryRecord;
    if (parsed->maxPendingFiles) {
        options.maxHeldFiles = static_cast<size_t>(std::max(*parsed->maxPendingFiles, 1));
    }
    if (parsed->maxHeldMb) {
        options.maxHeldBytes = static_cast<size_t>(std::max(*parsed->maxHeldMb, 1)) << 20;
    }
    if (parsed->flushIntervalMs) {
        options.flushInterval = std::chrono::milliseconds(*parsed->flushIntervalMs);
    }
    std::cerr << jvlink::StartConfirmationText(options.fromTime) << "\n";

    jvlink::AcquisitionFlags flags;
    CliDownloadObserver observer;
    jvlink::DownloadEngine engine(*link->link, flags, settings, &session->ErrorLog(), observer);
    observer.SetEngine(&engine);
    std::signal(SIGINT, OnInterrupt);
    const jvlink::DownloadSummary& s = engine.Run(options, kPollInterval);
    std::signal(SIGINT, SIG_DFL);

    std::cout << "download " << EndName(s.end) << ": " << s.filesPassed << "/" << s.readCount
              << " files, " << s.records << " records read, " << s.linesStored << " lines stored, "
              << s.refused << " refused";
    if (s.linesNotStored > 0) std::cout << ", " << s.linesNotStored << " lines not stored";
    std::cout << std::endl;
    const bool ok =
        (s.end == DownloadEnd::Completed || s.end == DownloadEnd::NoData) && !s.jvLinkError;
    return ok ? 0 : 1;
}

const CommandRegistration kRegistration({
    "download",
    "[--home DIR] [--store DIR] [--setup|--normal] [--from \"yyyy/mm/dd hh:nn:ss\"] "
    "[--final-odds] [--now yyyymmddhhnn | --clock \"yyyy/mm/dd hh:nn:ss\"] "
    "[--jvsim-NAME VALUE ...]",
    "download the accumulated JV-Data since the last download (or --from) into the program "
    "folder",
    RunDownload,
});

}  // namespace
}  // namespace quindle::cli
