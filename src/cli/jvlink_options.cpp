#include "jvlink_options.h"

#include "core/env/program_folder.h"
#include "core/util/command_options.h"

namespace quindle::cli {

Result<JvLinkCommandOptions> ParseJvLinkCommandOptions(const Args& given,
                                                       std::string_view command) {
    Args args = given;
    auto jvLink = app::TakeJvLinkOptions(args);
    if (!jvLink) return Error{jvLink.error()};
    std::filesystem::path home;
    auto rest = TakeOptions(args, std::initializer_list<ValueOption>{StoreOption("home", home)});
    if (!rest) return Error{rest.error()};
    if (!rest->empty()) {
        return Error{"unknown argument '" + rest->front() + "' (see quindle-cli " +
                     std::string(command) + " --help)"};
    }
    auto folder =
        env::ChooseProgramFolder(env::ProgramFolderSources::FromEnvironment(std::move(home)));
    if (!folder) return Error{folder.error()};
    return JvLinkCommandOptions{std::move(*jvLink), std::move(*folder)};
}

}  // namespace quindle::cli
