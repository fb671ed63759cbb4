#include "shell/command_line.h"

#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>

namespace quindle::gui {
namespace {

constexpr std::string_view kHome = "--home";
constexpr std::string_view kSearch = "--search";
constexpr std::string_view kRunner = "--runner";
constexpr std::string_view kMessages = "--messages";

// The options that only take a text value, and where it goes.
struct TextOption {
    std::string_view name;
    std::string CommandLine::*value;
};
constexpr TextOption kTextOptions[] = {
    {"--day", &CommandLine::day},
    {"--race", &CommandLine::race},
    {"--tab", &CommandLine::tab},
};

// "--option=VALUE" or "--option VALUE" at args[i]; advances i past the value.
std::optional<std::string> TakeValue(const std::vector<std::string>& args, size_t& i,
                                     std::string_view option) {
    std::string_view arg = args[i];
    if (arg.size() > option.size() && arg[option.size()] == '=') {
        return std::string(arg.substr(option.size() + 1));
    }
    if (i + 1 >= args.size()) return std::nullopt;
    return args[++i];
}

Error MissingValue(std::string_view option) {
    return Error{std::string(option) + " needs a value"};
}

bool IsOption(std::string_view arg, std::string_view option) {
    return arg == option || (arg.size() > option.size() && arg.substr(0, option.size()) == option &&
                             arg[option.size()] == '=');
}

}  // namespace

Result<CommandLine> ParseCommandLine(const std::vector<std::string>& given) {
    CommandLine line;
    std::vector<std::string> args = given;
    auto jvLink = app::TakeJvLinkOptions(args);
    if (!jvLink) return Error{jvLink.error()};
    line.jvLink = std::move(*jvLink);
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        const TextOption* text = nullptr;
        for (const TextOption& option : kTextOptions) {
            if (IsOption(arg, option.name)) text = &option;
        }
        if (text) {
            auto value = TakeValue(args, i, text->name);
            if (!value || value->empty()) return MissingValue(text->name);
            line.*(text->value) = *value;
        } else if (arg == kSearch) {
            line.search = true;
        } else if (IsOption(arg, kRunner)) {
            auto value = TakeValue(args, i, kRunner);
            line.runner = value ? std::atoi(value->c_str()) : 0;
            if (line.runner < 1) return Error{std::string(kRunner) + " needs a row from 1"};
        } else if (IsOption(arg, kMessages)) {
            auto value = TakeValue(args, i, kMessages);
            if (!value || (*value != "stderr" && *value != "box")) {
                return Error{std::string(kMessages) + " is stderr or box"};
            }
            line.messagesToStderr = *value == "stderr";
        } else if (IsOption(arg, kHome)) {
            auto value = TakeValue(args, i, kHome);
            if (!value || value->empty()) return MissingValue(kHome);
            line.home = *value;
        } else {
            return Error{"unknown option '" + std::string(arg) + "'"};
        }
    }
    return line;
}

std::string CommandLineUsage() {
    return "usage: quindle [--home DIR] [--store DIR] [--jvsim-NAME VALUE]...\n"
           "               [--day DATE] [--race RACE] [--search] [--runner N]\n"
           "               [--tab TAB] [--messages stderr]\n"
           "  --home DIR          program folder (default: QUINDLE_HOME, the program's folder\n"
           "                      when writable, else ~/.local/share/quindle)\n"
           "  --store DIR         store folder served by the JV-Link substitute\n"
           "  --now yyyymmddhhnn  the moment the substitute serves data for\n"
           "  --jvsim-NAME VALUE  a substitute setting (now, version, fault, delay, ...)\n"
           "  --day DATE          load a race day after start-up: 2025年01月05日, 20250105\n"
           "                      or newest\n"
           "  --race RACE         show a race of that day: 中山11R, or a race index from 0\n"
           "  --search            run the previous-race search (前走勝ち上り)\n"
           "  --runner N          show the previous race of runner row N (from 1)\n"
           "  --tab TAB           show a tab: card, past, zenso or result\n"
           "  --messages stderr   write messages to the error output instead of showing boxes\n";
}

}  // namespace quindle::gui
