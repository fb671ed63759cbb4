#include "core/util/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

TEST(ParallelFor, EveryItemIsDoneOnceWhateverTheCountAndRun) {
    struct Case {
        size_t count;
        size_t threads;
        size_t run;
    };
    for (const Case c : {Case{0, 4, 32}, Case{1, 4, 32}, Case{31, 4, 32}, Case{1000, 4, 7},
                         Case{1000, 1, 32}, Case{4097, 8, 1}}) {
        SCOPED_TRACE(std::to_string(c.count) + " items, runs of " + std::to_string(c.run));
        std::vector<std::atomic<int>> done(c.count);
        quindle::ParallelFor(
            c.count, [&](size_t i) { ++done[i]; }, c.threads, c.run);
        for (size_t i = 0; i < c.count; ++i) ASSERT_EQ(done[i].load(), 1) << i;
    }
}

TEST(ParallelFor, AnExceptionReachesTheCallerAfterTheOtherThreadsStop) {
    std::atomic<int> running{0};
    EXPECT_THROW(quindle::ParallelFor(
                     10000,
                     [&](size_t i) {
                         ++running;
                         if (i == 5000) throw std::runtime_error("disk full");
                         --running;
                     },
                     4, 16),
                 std::runtime_error);
    // Only the item that threw is still counted: nothing runs on afterwards.
    EXPECT_EQ(running.load(), 1);
}

}  // namespace
