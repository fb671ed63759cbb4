#pragma once
// Settings of the JV-Link substitute: which store it serves, the simulated
// moment, how the download stage behaves, and faults and delays for tests.
//
// Every setting has a text form, so code, a small ini file and the
// environment set them the same way (ApplySimOption):
//
//   name                 value
//   store                the store folder (in an ini file: relative to the file)
//   now                  simulated moment yyyymmddhhnn; empty: the store's fact
//   version              the version property, default "0490"
//   download_step        files completed per JVStatus call (and per JVRead that
//                        meets a file not yet downloaded), default 1
//   download_ms          > 0: the download runs on the clock instead, one file
//                        every download_ms milliseconds after JVOpen
//   predownloaded        1: every file counts as downloaded (DownloadCount 0)
//   realtime_wait_reads  JVRead gives -3 this many times at the start of a
//                        real-time session before the first record
//   fault                faults, comma-separated "OP:CODE[@AFTER][xTIMES]",
//                        e.g. "JVOpen:-504", "JVRead:-502@100", "JVRead:-2@5x3";
//                        replaces the earlier list; "none" or empty clears it
//   delay                delays, comma-separated "OP:MILLISECONDS"; replaces
//                        the earlier delays
//
// The ini file holds these keys in section [jvsim]; the environment variables
// are QUINDLE_JVSIM_ and the name in capitals (QUINDLE_JVSIM_STORE, ...), and
// QUINDLE_JVSIM_INI names an ini file read before them; on a command line
// they are "--jvsim-NAME=VALUE" or "--jvsim-NAME VALUE" (a '-' may stand for
// a '_' in NAME, "--jvsim-now", "--jvsim-download-step").

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/result.h"

namespace quindle::jvsim {

enum class JvOp { kInit, kSetUIProperties, kOpen, kStatus, kRTOpen, kRead, kSkip, kCancel, kClose };
inline constexpr int kJvOpCount = 9;

// "JVInit", "JVOpen", ... and back (exact spelling).
std::string_view JvOpName(JvOp op);
std::optional<JvOp> JvOpFromName(std::string_view name);

// Makes an operation return `code` in place of the result it would give.
// Faults apply after the out-of-order checks (-201, -202, -203) and the
// parameter checks, like a server or disk error would.
struct FaultRule {
    JvOp op = JvOp::kRead;
    int code = 0;
    // Normal results before the fault strikes. JVRead counts the records of
    // the session, JVStatus its calls in the session; the other operations
    // count their calls since the substitute was made.
    int after = 0;
    // Results the fault replaces; 0: every one from then on. JVRead and
    // JVStatus faults strike afresh in every session.
    int times = 0;
};

struct SimSettings {
    std::filesystem::path store;
    std::string now;
    std::string version = "0490";
    int downloadStep = 1;
    int downloadFileMs = 0;
    bool preDownloaded = false;
    int realtimeWaitReads = 0;
    std::vector<FaultRule> faults;
    std::array<int, kJvOpCount> delayMs{};
};

// Sets one setting from its text form (names above). An unknown name or a
// value that does not parse is an error and leaves the settings unchanged.
Status ApplySimOption(SimSettings& settings, std::string_view name, std::string_view value);

// Reads the [jvsim] section of an ini file into `settings`.
Status ApplySimIni(SimSettings& settings, const std::filesystem::path& iniFile);

// Applies QUINDLE_JVSIM_INI (when set) and then every QUINDLE_JVSIM_<NAME>
// variable that is set.
Status ApplySimEnvironment(SimSettings& settings);

// Takes every "--jvsim-NAME=VALUE" and "--jvsim-NAME VALUE" out of `args`
// and applies it; the other arguments stay in their order.
Status TakeSimArgs(SimSettings& settings, std::vector<std::string>& args);

// Parses "OP:CODE[@AFTER][xTIMES]".
Result<FaultRule> ParseFaultRule(std::string_view text);

}  // namespace quindle::jvsim
