#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "command.h"
#include "core/env/version.h"

namespace quindle::cli {
namespace {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

void PrintHelp() {
    std::cout << "quindle-cli " << env::kVersion << "\n"
              << "Usage: quindle-cli COMMAND [OPTIONS]\n\n"
              << "Commands:\n";
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    for (const auto& c : commands) {
        std::cout << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
    }
    std::cout << "\nOptions:\n  --help     this list\n  --version  the version string\n";
}

}  // namespace

CommandRegistration::CommandRegistration(Command command) {
    Registry().push_back(command);
}

const std::vector<Command>& Commands() {
    return Registry();
}

int Fail(const std::string& message) {
    std::cerr << "quindle-cli: " << message << "\n";
    return 1;
}

}  // namespace quindle::cli

int main(int argc, char* argv[]) {
    using namespace quindle::cli;
#if defined(_WIN32)
    // Everything is printed as UTF-8: the console shows it as such.
    SetConsoleOutputCP(CP_UTF8);
#endif
    if (argc < 2) {
        PrintHelp();
        return 2;
    }
    std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp();
        return 0;
    }
    if (first == "--version" || first == "-V" || first == "version") {
        std::cout << quindle::env::kVersion << "\n";
        return 0;
    }
    for (const auto& c : Commands()) {
        if (first == c.name) {
            Args args(argv + 2, argv + argc);
            if (std::find(args.begin(), args.end(), "--help") != args.end()) {
                std::cout << "Usage: quindle-cli " << c.name << " " << c.usage << "\n"
                          << c.summary << "\n";
                return 0;
            }
            return c.run(args);
        }
    }
    return Fail("unknown command '" + first + "' (see quindle-cli --help)");
}
