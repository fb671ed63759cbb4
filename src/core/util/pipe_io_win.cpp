#if defined(_WIN32)

#include <windows.h>

#include "core/util/pipe_io.h"

namespace quindle {
namespace {

// The longest piece one ReadFile or WriteFile call moves.
constexpr size_t kMaxChunk = 0x10000000;
// How often a read with a deadline looks at an anonymous pipe, which cannot
// be waited on.
constexpr DWORD kPollMs = 2;

}  // namespace

size_t ReadPipe(PipeHandle pipe, char* data, size_t size, Deadline deadline) {
    if (deadline != kNoDeadline) {
        for (;;) {
            DWORD available = 0;
            // A pipe that has ended or is no pipe at all fails here; the read
            // below then says so without waiting.
            if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available > 0) {
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline) return 0;
            Sleep(kPollMs);
        }
    }
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(size > kMaxChunk ? kMaxChunk : size);
    if (!ReadFile(pipe, data, want, &got, nullptr)) return 0;
    return got;
}

bool WritePipe(PipeHandle pipe, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t left = bytes.size() - done;
        DWORD wrote = 0;
        if (!WriteFile(pipe, bytes.data() + done,
                       static_cast<DWORD>(left > kMaxChunk ? kMaxChunk : left), &wrote, nullptr) ||
            wrote == 0) {
            return false;
        }
        done += wrote;
    }
    return true;
}

}  // namespace quindle

#endif  // _WIN32
