#pragma once
// Spreading independent pieces of work over a few threads.

#include <cstddef>
#include <functional>

namespace quindle {

// Runs `work(i)` for every i below `count`, on up to `maxThreads` threads
// (the caller's among them), each taking runs of `run` consecutive items, so
// neighbouring items (files of one folder) mostly stay on one thread. Small
// counts run on the caller's thread alone. Returns when every item is done;
// the first exception thrown by `work` is thrown again here, after the
// other threads have finished.
void ParallelFor(size_t count, const std::function<void(size_t)>& work, size_t maxThreads = 4,
                 size_t run = 32);

}  // namespace quindle
