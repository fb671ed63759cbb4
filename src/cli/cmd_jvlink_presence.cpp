// quindle-cli jvlink-presence: the window's presence test of JV-Link, on its
// own: on Windows the component's COM object is created by its ProgID and
// released, elsewhere the substitute must be makeable. Exit 0 when present;
// otherwise the window's message and the reason go to stderr, exit 1.

#include <iostream>

#include "core/jvlink/jvlink_start.h"
#include "jvlink_options.h"

namespace quindle::cli {
namespace {

int RunJvlinkPresence(const Args& args) {
    auto options = ParseJvLinkCommandOptions(args, "jvlink-presence");
    if (!options) return Fail(options.error());
    auto source = app::JvLinkSource::Resolve(options->programFolder, options->jvLink,
                                             app::WithoutStore::kDefaultFolder);
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
