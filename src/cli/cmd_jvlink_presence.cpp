// quindle-cli jvlink-presence: the window's presence test of JV-Link, on its
// own: on Windows the component's COM object is created by its ProgID and
// released, elsewhere the substitute must be makeable. Exit 0 when present;
// otherwise the window's message and the reason go to stderr, exit 1.

#include <iostream>

#include "app/session.h"
#include "command.h"
#include "env/program_folder.h"
#include "jvlink/jvlink_start.h"

namespace quindle::cli {
namespace {

int RunJvlinkPresence(const Args& given) {
    Args args = given;
    auto options = app::TakeJvLinkOptions(args);
    if (!options) return Fail(options.error());
    std::filesystem::path home;
    auto rest = TakeOptions(args, std::initializer_list<ValueOption>{StoreOption("home", home)});
    if (!rest) return Fail(rest.error());
    if (!rest->empty()) {
        return Fail("unknown argument '" + rest->front() +
                    "' (see quindle-cli jvlink-presence --help)");
    }
    auto folder =
        env::ChooseProgramFolder(env::ProgramFolderSources::FromEnvironment(std::move(home)));
    if (!folder) return Fail(folder.error());
    auto source = app::JvLinkSource::Resolve(*folder, *options, app::WithoutStore::kDefaultFolder);
    Status present = source ? source->TestPresence() : Status(Error{source.error()});
    if (!present) {
        return Fail(std::string(jvlink::kJvLinkAbsentMessage) + " (JV-Link: " + present.error() +
                    ")");
    }
    std::cout << "JV-Link: present\n";
    return 0;
}

const CommandRegistration kRegistration({
    "jvlink-presence",
    "[--home DIR] [--jvlink substitute|com|\"bridge COMMAND\"] [--store DIR]",
    "the window's presence test of JV-Link: exit 0 when it is there",
    RunJvlinkPresence,
});

}  // namespace
}  // namespace quindle::cli
