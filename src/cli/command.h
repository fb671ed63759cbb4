#pragma once
// quindle-cli commands. Each command lives in a file of its own and registers
// itself with a static CommandRegistration, so adding one touches no table.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/util/command_options.h"
#include "core/util/result.h"

namespace quindle::cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;             // one line: arguments
    const char* summary;           // one line: what it does
    int (*run)(const Args& args);  // args after the command name; exit code
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& Commands();

// Prints "quindle-cli: <message>" to stderr and returns the failure exit code.
int Fail(const std::string& message);

}  // namespace quindle::cli
