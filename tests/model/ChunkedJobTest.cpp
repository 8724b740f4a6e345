#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "model/ChunkedJob.h"

namespace {

using namespace std::chrono_literals;

// A worker stuck in a chunk never holds up the caller beyond the wait it asked for, and a
// cancel ends the job after that chunk, which is still taken in.
TEST(ChunkedJobTest, ACancelEndsAfterTheChunkInProgress) {
    std::atomic<bool> release = false;
    std::vector<std::pair<size_t, size_t>> taken;
    size_t ended = 99;
    auto work = [&](size_t, size_t) {
        while (!release)
            std::this_thread::sleep_for(1ms);
    };
    CChunkedJob job(
        100, 10, work, [&](size_t first, size_t last) { taken.emplace_back(first, last); },
        [&](size_t count) { ended = count; });
    EXPECT_FALSE(job.Poll(5ms));
    EXPECT_TRUE(taken.empty());
    job.Cancel();
    release = true;
    while (!job.Poll(5ms)) {
    }
    EXPECT_EQ(taken, (std::vector<std::pair<size_t, size_t>>{{0, 10}}));
    EXPECT_EQ(ended, 10u);
}

}  // namespace
