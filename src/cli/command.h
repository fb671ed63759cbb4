#pragma once
// quindle-cli commands. Each command lives in a file of its own and registers
// itself with a static CommandRegistration, so adding one touches no table.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace quindle::cli {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;    // one line: arguments
    const char* summary;  // one line: what it does
    int (*run)(const Args& args);  // args after the command name; exit code
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& Commands();

// "--name value" or "--name=value" at args[i]: the value (i advanced past
// it), nothing when args[i] is another argument, an error when the value is
// missing.
Result<std::optional<std::string>> TakeValueOption(const Args& args, size_t& i,
                                                   std::string_view name);

// Prints "quindle-cli: <message>" to stderr and returns the failure exit code.
int Fail(const std::string& message);

}  // namespace quindle::cli
