#if !defined(_WIN32)

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "core/util/pipe_io.h"

namespace quindle {

size_t ReadPipe(PipeHandle pipe, char* data, size_t size, Deadline deadline) {
    for (;;) {
        int wait = -1;
        if (deadline != kNoDeadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return 0;
            wait = left.count() > 3600000 ? 3600000 : static_cast<int>(left.count());
        }
        pollfd ready{pipe, POLLIN, 0};
        const int n = ::poll(&ready, 1, wait);
        if (n < 0 && errno != EINTR) return 0;
        if (n <= 0) continue;  // interrupted, or a wait cut to an hour: look at the clock again
        const ssize_t got = ::read(pipe, data, size);
        if (got >= 0) return static_cast<size_t>(got);
        if (errno != EINTR && errno != EAGAIN) return 0;
    }
}

bool WritePipe(PipeHandle pipe, std::string_view bytes) {
    // A reader that has ended would send SIGPIPE, which ends the program: it
    // is held back while writing and taken away when this write caused it.
    sigset_t pipeSignal, previous, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    bool ok = true;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(pipe, bytes.data() + done, bytes.size() - done);
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

}  // namespace quindle

#endif  // !_WIN32
