#include "platform/ParallelParts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

TEST(ParallelPartsTest, EveryItemIsWorkedOnceInPartsOfItsOwn) {
    for (size_t count : {0u, 1u, 700u, 1024u, 5001u}) {
        std::vector<std::atomic<int>> seen(count);
        ForEachPart(count, [&](size_t part, size_t first, size_t last) {
            EXPECT_LT(part, kMostParts);
            for (size_t i = first; i < last; ++i)
                ++seen[i];
        });
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(seen[i], 1) << "item " << i << " of " << count;
    }
}

// A part that throws must not end the process: the others finish, and the caller gets
// the exception.
TEST(ParallelPartsTest, AThrowingPartReachesTheCallerAfterTheOthersFinish) {
    constexpr size_t kCount = 4096;
    std::vector<std::atomic<int>> seen(kCount);
    auto work = [&](size_t, size_t first, size_t last) {
        for (size_t i = first; i < last; ++i)
            ++seen[i];
        if (first <= 3000 && 3000 < last)
            throw std::runtime_error("part failed");
    };
    EXPECT_THROW(ForEachPart(kCount, work), std::runtime_error);
    for (size_t i = 0; i < kCount; ++i)
        ASSERT_EQ(seen[i], 1) << "item " << i;
}

}  // namespace
