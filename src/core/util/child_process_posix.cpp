#if !defined(_WIN32)

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "util/child_process.h"

extern char** environ;

namespace quindle {
namespace {

// How long the end of a ChildProcess waits before it kills the program.
constexpr auto kEndGrace = std::chrono::seconds(3);

}  // namespace

struct ChildProcess::Handles {
    pid_t pid = -1;
    int input = -1;   // the program's standard input, our writing end
    int output = -1;  // the program's standard output, our reading end
};

Result<std::unique_ptr<ChildProcess>> ChildProcess::Start(const std::vector<std::string>& command) {
    if (command.empty() || command.front().empty()) return Error{"no program to start"};
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return Error{std::string("pipe: ") + std::strerror(errno)};
    if (::pipe2(out, O_CLOEXEC) != 0) {
        const int e = errno;
        ::close(in[0]);
        ::close(in[1]);
        return Error{std::string("pipe: ") + std::strerror(e)};
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    // dup2 clears close-on-exec on the copies the program keeps.
    ::posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    if (rc != 0) {
        ::close(in[1]);
        ::close(out[0]);
        return Error{"cannot start " + command.front() + ": " + std::strerror(rc)};
    }
    auto handles = std::make_unique<Handles>();
    handles->pid = pid;
    handles->input = in[1];
    handles->output = out[0];
    return std::unique_ptr<ChildProcess>(new ChildProcess(std::move(handles)));
}

ChildProcess::ChildProcess(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}

ChildProcess::~ChildProcess() {
    ::close(handles_->input);
    ::close(handles_->output);
    const auto deadline = std::chrono::steady_clock::now() + kEndGrace;
    while (::waitpid(handles_->pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(handles_->pid, SIGKILL);
            ::waitpid(handles_->pid, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

size_t ChildProcess::ReadSome(char* data, size_t size) {
    for (;;) {
        const ssize_t n = ::read(handles_->output, data, size);
        if (n >= 0) return static_cast<size_t>(n);
        if (errno != EINTR) return 0;
    }
}

bool ChildProcess::WriteAll(std::string_view bytes) {
    // A program that has ended would send SIGPIPE, which ends the caller:
    // it is held back while writing and taken away when this write caused it.
    sigset_t pipeSignal, previous, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    bool ok = true;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(handles_->input, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (!ok && !wasPending) {
        const timespec none{};
        while (::sigtimedwait(&pipeSignal, nullptr, &none) < 0 && errno == EINTR) {
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return ok;
}

long ChildProcess::Id() const {
    return static_cast<long>(handles_->pid);
}

}  // namespace quindle

#endif  // !_WIN32
