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

#include "core/util/child_process.h"

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
    if (handles_->pid <= 0) return;  // killed already
    const auto deadline = std::chrono::steady_clock::now() + kEndGrace;
    while (::waitpid(handles_->pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Kill();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

size_t ChildProcess::ReadSome(char* data, size_t size, Deadline deadline) {
    return ReadPipe(handles_->output, data, size, deadline);
}

bool ChildProcess::WriteAll(std::string_view bytes) {
    return WritePipe(handles_->input, bytes);
}

void ChildProcess::Kill() {
    if (handles_->pid <= 0) return;
    ::kill(handles_->pid, SIGKILL);
    ::waitpid(handles_->pid, nullptr, 0);
    handles_->pid = -1;
}

long ChildProcess::Id() const {
    return static_cast<long>(handles_->pid);
}

}  // namespace quindle

#endif  // !_WIN32
