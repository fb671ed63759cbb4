#pragma once
// The options of the commands that only speak to JV-Link (jvlink-bridge,
// jvlink-presence): the JV-Link options (app/jvlink_source.h) and
// --home DIR, the program folder (else QUINDLE_HOME, the executable's
// folder, the user's data folder); nothing else.

#include <filesystem>
#include <string_view>

#include "app/jvlink_source.h"
#include "command.h"
#include "core/util/result.h"

namespace quindle::cli {

struct JvLinkCommandOptions {
    app::JvLinkOptions jvLink;
    std::filesystem::path programFolder;
};

// The options of `command` in `args`; any other argument is an error.
Result<JvLinkCommandOptions> ParseJvLinkCommandOptions(const Args& args, std::string_view command);

}  // namespace quindle::cli
