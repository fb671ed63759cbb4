#include "core/util/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quindle {

void ParallelFor(size_t count, const std::function<void(size_t)>& work, size_t maxThreads,
                 size_t run) {
    run = std::max<size_t>(run, 1);
    const size_t runs = (count + run - 1) / run;
    const size_t hardware = std::max<size_t>(std::thread::hardware_concurrency(), 1);
    const size_t threads = std::min({maxThreads, hardware, runs});
    if (threads <= 1) {
        for (size_t i = 0; i < count; ++i) work(i);
        return;
    }
    std::atomic<size_t> nextRun{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto worker = [&] {
        try {
            for (size_t r = nextRun++; r < runs; r = nextRun++) {
                const size_t end = std::min(count, (r + 1) * run);
                for (size_t i = r * run; i < end; ++i) work(i);
            }
        } catch (...) {
            std::lock_guard<std::mutex> hold(failureLock);
            if (!failure) failure = std::current_exception();
            nextRun = runs;  // the others stop at their next run
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(worker);
    worker();
    for (std::thread& h : helpers) h.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace quindle
