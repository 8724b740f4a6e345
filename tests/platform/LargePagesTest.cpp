#include "platform/LargePages.h"

#include <gtest/gtest.h>

TEST(LargePagesTest, AddsTheTunableOnceAndKeepsTheUsersOwn) {
    EXPECT_EQ(TunablesWithLargePages(nullptr), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithLargePages(""), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithLargePages("glibc.malloc.arena_max=1"),
              "glibc.malloc.arena_max=1:glibc.malloc.hugetlb=1");
    // Already decided, here or by the user: started again it would start for ever.
    EXPECT_EQ(TunablesWithLargePages("glibc.malloc.hugetlb=1"), std::nullopt);
    EXPECT_EQ(TunablesWithLargePages("glibc.malloc.arena_max=1:glibc.malloc.hugetlb=0"),
              std::nullopt);
    EXPECT_EQ(TunablesWithLargePages("glibc.malloc.hugetlbx=1"),
              "glibc.malloc.hugetlbx=1:glibc.malloc.hugetlb=1");
}
