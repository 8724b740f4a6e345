#include "platform/ParallelParts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

// Every item is worked once, in parts of their own. A part that throws must not end the
// process: the others finish, and the caller gets the exception.
TEST(ParallelPartsTest, EveryItemIsWorkedOnceAndAThrowingPartReachesTheCaller) {
    for (size_t count : {0u, 1u, 700u, 1024u, 5001u}) {
        std::vector<std::atomic<int>> seen(count);
        auto work = [&](size_t part, size_t first, size_t last) {
            EXPECT_LT(part, kMostParts);
            for (size_t i = first; i < last; ++i)
                ++seen[i];
            if (first <= 3000 && 3000 < last)
                throw std::runtime_error("part failed");
        };
        if (count > 3000)
            EXPECT_THROW(ForEachPart(count, work), std::runtime_error);
        else
            ForEachPart(count, work);
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(seen[i], 1) << "item " << i << " of " << count;
    }
}

}  // namespace
