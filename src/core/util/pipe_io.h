#pragma once
// Reading and writing the ends of a pipe (a POSIX descriptor, a Windows
// handle), where a read waits no longer than a deadline: the JV-Link bridge and
// its client never wait for ever on a program that stopped answering.

#include <chrono>
#include <cstddef>
#include <string_view>

namespace quindle {

using Deadline = std::chrono::steady_clock::time_point;
inline constexpr Deadline kNoDeadline = Deadline::max();

// The deadline `limit` from now; a limit of zero or less means none.
inline Deadline DeadlineAfter(std::chrono::milliseconds limit) {
    return limit.count() <= 0 ? kNoDeadline : std::chrono::steady_clock::now() + limit;
}

#if defined(_WIN32)
using PipeHandle = void*;
#else
using PipeHandle = int;
#endif

// At most `size` bytes from `pipe`; 0 when the pipe has ended or failed, or
// when nothing came before `deadline`.
size_t ReadPipe(PipeHandle pipe, char* data, size_t size, Deadline deadline);

// Writes all of `bytes`; false when the other end is closed. Writing to a
// pipe whose reader has ended fails here instead of ending the program.
bool WritePipe(PipeHandle pipe, std::string_view bytes);

}  // namespace quindle
