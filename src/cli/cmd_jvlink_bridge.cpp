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

#include <cerrno>
#endif

#include "app/session.h"
#include "command.h"
#include "env/program_folder.h"
#include "jvlink/bridge/bridge_server.h"

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
class StdinSource : public jvlink::bridge::ByteSource {
  public:
    size_t ReadSome(char* data, size_t size) override {
        DWORD got = 0;
        const DWORD want = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), data, want, &got, nullptr)) return 0;
        return got;
    }
};
class StdoutSink : public jvlink::bridge::ByteSink {
  public:
    bool WriteAll(std::string_view bytes) override {
        size_t done = 0;
        while (done < bytes.size()) {
            const size_t left = bytes.size() - done;
            DWORD wrote = 0;
            if (!WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data() + done,
                           left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left), &wrote,
                           nullptr) ||
                wrote == 0) {
                return false;
            }
            done += wrote;
        }
        return true;
    }
};
#else
class StdinSource : public jvlink::bridge::ByteSource {
  public:
    size_t ReadSome(char* data, size_t size) override {
        for (;;) {
            const ssize_t n = ::read(STDIN_FILENO, data, size);
            if (n >= 0) return static_cast<size_t>(n);
            if (errno != EINTR) return 0;
        }
    }
};
class StdoutSink : public jvlink::bridge::ByteSink {
  public:
    bool WriteAll(std::string_view bytes) override {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }
};
#endif

int RunJvlinkBridge(const Args& given) {
    Args args = given;
    auto options = app::TakeJvLinkOptions(args);
    if (!options) return Fail(options.error());
    std::filesystem::path home;
    auto rest = TakeOptions(args, std::initializer_list<ValueOption>{StoreOption("home", home)});
    if (!rest) return Fail(rest.error());
    if (!rest->empty()) {
        return Fail("unknown argument '" + rest->front() +
                    "' (see quindle-cli jvlink-bridge --help)");
    }
    auto folder =
        env::ChooseProgramFolder(env::ProgramFolderSources::FromEnvironment(std::move(home)));
    if (!folder) return Fail(folder.error());

    auto choice = app::ChooseJvLink(*folder, *options);
    if (!choice) return Fail(choice.error());
    if (choice->kind == app::JvLinkKind::kBridge) {
        if (!options->jvLink.empty()) return Fail("a bridge serves \"substitute\" or \"com\"");
        options->jvLink = kServedByDefault;
    }
    auto source = app::JvLinkSource::Resolve(*folder, *options, app::WithoutStore::kRefuse);
    if (!source) return Fail(source.error());
    auto made = source->Make();
    if (!made) return Fail(made.error());

    StdinSource in;
    StdoutSink out;
    if (Status s = jvlink::bridge::ServeJvLink(*made->link, made->now, in, out); !s) {
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
