#include "gui/shell/command_line.h"

#include <cstdlib>
#include <string_view>

#include "core/util/command_options.h"

namespace quindle::gui {
namespace {

// A text option's value must not be empty.
ValueOption TextOption(std::string_view name, std::string& target) {
    return {name, [name, &target](const std::string& value) -> Status {
                if (value.empty()) return Error{"--" + std::string(name) + " needs a value"};
                target = value;
                return Status::Ok();
            }};
}

}  // namespace

Result<CommandLine> ParseCommandLine(const std::vector<std::string>& given) {
    CommandLine line;
    std::vector<std::string> args = given;
    auto jvLink = app::TakeJvLinkOptions(args);
    if (!jvLink) return Error{jvLink.error()};
    line.jvLink = std::move(*jvLink);

    std::string home;
    const ValueOption values[] = {
        TextOption("home", home),
        TextOption("day", line.day),
        TextOption("race", line.race),
        TextOption("tab", line.tab),
        TextOption("open", line.open),
        {"runner",
         [&line](const std::string& value) -> Status {
             line.runner = std::atoi(value.c_str());
             if (line.runner < 1) return Error{"--runner needs a row from 1"};
             return Status::Ok();
         }},
        {"messages",
         [&line](const std::string& value) -> Status {
             if (value != "stderr" && value != "box") return Error{"--messages is stderr or box"};
             line.messagesToStderr = value == "stderr";
             return Status::Ok();
         }},
    };
    const FlagOption flags[] = {{"search", [&line] { line.search = true; }},
                                {"analysis", [&line] { line.analysis = true; }}};
    auto rest = TakeOptions(args, values, flags);
    if (!rest) return Error{rest.error()};
    if (!rest->empty()) return Error{"unknown option '" + rest->front() + "'"};
    line.home = home;
    return line;
}

std::string CommandLineUsage() {
    return "usage: quindle [--help | --version]\n"
           "       quindle [--home DIR] [--store DIR] [--jvsim-NAME VALUE]...\n"
           "               [--clock \"yyyy/mm/dd hh:nn:ss\"] [--clock-speed N|max]\n"
           "               [--day DATE] [--race RACE] [--search] [--runner N]\n"
           "               [--tab TAB] [--open WINDOWS] [--analysis]\n"
           "               [--messages stderr]\n"
           "  --home DIR          program folder (default: QUINDLE_HOME, the program's folder\n"
           "                      when writable, else ~/.local/share/quindle)\n"
           "  --store DIR         store folder served by the JV-Link substitute\n"
           "  --now yyyymmddhhnn  the moment the substitute serves data for\n"
           "  --jvsim-NAME VALUE  a substitute setting (now, version, fault, delay, ...)\n"
           "  --clock MOMENT      run the program's clock from \"yyyy/mm/dd hh:nn:ss\" on: the\n"
           "                      window, the schedule and the substitute's data follow it\n"
           "  --clock-speed N     that clock at N times real speed (max: as fast as the work\n"
           "                      allows)\n"
           "  --day DATE          load a race day after start-up: 2025年01月05日, 20250105\n"
           "                      or newest\n"
           "  --race RACE         show a race of that day: 中山11R, or a race index from 0\n"
           "  --search            run the previous-race search (前走勝ち上り)\n"
           "  --runner N          show the previous race of runner row N (from 1)\n"
           "  --tab TAB           show a tab: card, past, zenso or result\n"
           "  --open WINDOWS      open runner windows of past-ride row --runner N (else the\n"
           "                      first): horse, jockey, trainer, joined by commas, each\n"
           "                      optionally :TAB, a tab index from 0 (horse:1); tracked:\n"
           "                      the tracked-horse list\n"
           "  --analysis          show the tab 分析 (with its feature switch) and scan its\n"
           "                      period\n"
           "  --messages stderr   write messages to the error output instead of showing boxes\n"
           "  --help              this list\n"
           "  --version           the version string\n";
}

}  // namespace quindle::gui
