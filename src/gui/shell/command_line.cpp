#include "shell/command_line.h"

#include <optional>
#include <string_view>
#include <system_error>

#include "jvsim/substitute/sim_settings.h"

namespace quindle::gui {
namespace {

constexpr std::string_view kHome = "--home";
constexpr std::string_view kStore = "--store";
constexpr std::string_view kSubstitutePrefix = "--jvsim-";

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

Result<CommandLine> ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (IsOption(arg, kHome) || IsOption(arg, kStore)) {
            const std::string_view option = IsOption(arg, kHome) ? kHome : kStore;
            auto value = TakeValue(args, i, option);
            if (!value || value->empty()) return MissingValue(option);
            if (option == kHome) {
                line.home = *value;
            } else {
                // Made absolute now: the program later works in its own folder.
                std::error_code ec;
                line.store = std::filesystem::absolute(*value, ec);
                if (ec) return Error{std::string(kStore) + " " + *value + ": " + ec.message()};
            }
        } else if (arg.substr(0, kSubstitutePrefix.size()) == kSubstitutePrefix) {
            const size_t eq = arg.find('=');
            const std::string_view option = arg.substr(0, eq);
            auto value = TakeValue(args, i, option);
            if (!value) return MissingValue(option);
            line.substituteOptions.push_back(std::string(option) + "=" + *value);
        } else {
            return Error{"unknown option '" + std::string(arg) + "'"};
        }
    }
    // Settings that do not parse are refused here, before anything starts.
    jvsim::SimSettings scratch;
    std::vector<std::string> options = line.substituteOptions;
    if (Status s = jvsim::TakeSimArgs(scratch, options); !s) return Error{s.error()};
    return line;
}

std::string CommandLineUsage() {
    return "usage: quindle [--home DIR] [--store DIR] [--jvsim-NAME VALUE]...\n"
           "  --home DIR          program folder (default: QUINDLE_HOME, the program's folder\n"
           "                      when writable, else ~/.local/share/quindle)\n"
           "  --store DIR         store folder served by the JV-Link substitute\n"
           "  --jvsim-NAME VALUE  a substitute setting (now, version, fault, delay, ...)\n";
}

}  // namespace quindle::gui
