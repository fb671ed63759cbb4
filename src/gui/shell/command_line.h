#pragma once
// The program's command line (after Qt has taken its own options):
//
//   --home DIR         the program folder (else QUINDLE_HOME, else the default)
//   --store DIR        the store folder the JV-Link substitute serves
//   --now yyyymmddhhnn the moment the substitute serves data for
//   --jvsim-NAME VALUE any setting of the substitute (--jvsim-now, --jvsim-fault, ...)
//   --clock "yyyy/mm/dd hh:nn:ss"  a simulated program clock from that moment on
//   --clock-speed N|max            its speed (with --clock)
//   --day DATE         after start-up, load this race day ("2025年01月05日",
//                      "20250105" or "newest")
//   --race RACE        then show this race (a race-list text such as "中山11R",
//                      or a race index from 0)
//   --search           then run the previous-race search ("前走勝ち上り")
//   --runner N         then show the previous race of runner row N (from 1)
//   --tab TAB          then show this tab (card, past, zenso, result, or its caption)
//   --open WINDOWS     then open the runner windows (horse, jockey, trainer, joined
//                      by commas, each optionally ":TAB" with a tab index from 0)
//                      of past-ride row --runner (else the first), or "tracked",
//                      the tracked-horse list
//   --analysis         then show the tab 分析 and scan its period
//   --messages stderr  messages on the error output instead of boxes
//
// Each option also takes the form --option=VALUE.

#include <filesystem>
#include <string>
#include <vector>

#include "app/jvlink_source.h"
#include "core/util/result.h"

namespace quindle::gui {

struct CommandLine {
    std::filesystem::path home;  // empty when not given
    app::JvLinkOptions jvLink;   // --store, --now, --jvsim-*, --clock, --clock-speed
    // What to show once the window is up; empty when not given.
    std::string day;
    std::string race;
    std::string tab;
    bool search = false;
    int runner = 0;
    std::string open;
    bool analysis = false;
    bool messagesToStderr = false;
};

// Parses `args` (without the program name). An unknown option, a missing
// value or a substitute setting that does not parse is an error.
Result<CommandLine> ParseCommandLine(const std::vector<std::string>& args);

// One line per option, for the error output.
std::string CommandLineUsage();

}  // namespace quindle::gui
