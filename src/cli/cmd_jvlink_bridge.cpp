// quindle-cli jvlink-bridge: serves one JV-Link (the real component through
// COM on Windows, the substitute elsewhere, or as --jvlink chooses) to the
// program that started it, over standard input and output (protocol in
// jvlink/bridge/bridge_protocol.h). This is how a 64-bit program reaches the
// 32-bit component, and how a Linux program uses the component under Wine.
// Messages go to standard error; standard output carries the protocol alone.

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "app/session.h"
#include "command.h"
#include "core/jvlink/bridge/bridge_server.h"
#include "core/util/pipe_io.h"
#include "jvlink_options.h"

namespace quindle::cli {
namespace {

// The JV-Link a bridge serves when the choice names a bridge: itself again
// would start bridges without end.
#if defined(_WIN32)
constexpr const char* kServedByDefault = "com";
#else
constexpr const char* kServedByDefault = "substitute";
#endif

#if defined(_WIN32)
PipeHandle StandardInput() {
    return GetStdHandle(STD_INPUT_HANDLE);
}
PipeHandle StandardOutput() {
    return GetStdHandle(STD_OUTPUT_HANDLE);
}
#else
PipeHandle StandardInput() {
    return STDIN_FILENO;
}
PipeHandle StandardOutput() {
    return STDOUT_FILENO;
}
#endif

class StdinSource : public jvlink::bridge::ByteSource {
  public:
    size_t ReadSome(char* data, size_t size, Deadline deadline) override {
        return ReadPipe(StandardInput(), data, size, deadline);
    }
};
class StdoutSink : public jvlink::bridge::ByteSink {
  public:
    bool WriteAll(std::string_view bytes) override { return WritePipe(StandardOutput(), bytes); }
};

int RunJvlinkBridge(const Args& args) {
    // Whatever keeps the bridge from serving is also told to the client in
    // place of the greeting, so that the program that started it can say why.
    StdoutSink out;
    const auto refuse = [&out](const std::string& why) {
        jvlink::bridge::RefuseToServe(why, out);
        return Fail("jvlink-bridge: " + why);
    };
    auto parsed = ParseJvLinkCommandOptions(args, "jvlink-bridge");
    if (!parsed) return refuse(parsed.error());
    const std::filesystem::path& folder = parsed->programFolder;
    app::JvLinkOptions& options = parsed->jvLink;

    auto choice = app::ChooseJvLink(folder, options);
    if (!choice) return refuse(choice.error());
    if (choice->kind == app::JvLinkKind::kBridge) {
        if (!options.jvLink.empty()) return refuse("a bridge serves \"substitute\" or \"com\"");
        options.jvLink = kServedByDefault;
    }
    auto source = app::JvLinkSource::Resolve(folder, options, app::WithoutStore::kRefuse);
    if (!source) return refuse(source.error());
    auto made = source->Make();
    if (!made) return refuse(made.error());

    // A request, once begun, comes whole within the limit of a call: the
    // requests are a few bytes, and the client answers for its own pauses.
    StdinSource in;
    if (Status s =
            jvlink::bridge::ServeJvLink(*made->link, made->now, in, out, choice->bridgeLimits.call);
        !s) {
        return Fail("jvlink-bridge: " + s.error());
    }
    return 0;
}

const CommandRegistration kRegistration({
    "jvlink-bridge",
    "[--home DIR] [--jvlink substitute|com] [--store DIR] [--now yyyymmddhhnn] "
    "[--jvsim-NAME VALUE ...]",
    "serve one JV-Link over standard input and output to the program that started this one "
    "(--jvlink \"bridge COMMAND\" of the other commands and the window)",
    RunJvlinkBridge,
});

}  // namespace
}  // namespace quindle::cli
