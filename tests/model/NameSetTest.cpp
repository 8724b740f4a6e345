#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_set>

#include "model/NameSet.h"

namespace {

// Random inserts and erases over a small pool of names, so that names come and go many
// times, the table fills with erased slots and grows: it must answer as a plain set does.
TEST(NameSetTest, AnswersAsAPlainSetThroughManyChanges) {
    std::mt19937 random(7);
    std::vector<std::string> pool = {"", ".", "..", std::string(300, 'n')};
    for (int i = 0; i < 2000; ++i)
        pool.push_back("track " + std::to_string(i) + ".mp3");
    CNameSet names;
    std::unordered_set<std::string> expected;
    for (int step = 0; step < 200000; ++step) {
        const std::string& name = pool[random() % pool.size()];
        if (random() % 2)
            ASSERT_EQ(names.Insert(name), expected.insert(name).second) << step;
        else
            ASSERT_EQ(names.Erase(name), expected.erase(name) == 1) << step;
        ASSERT_EQ(names.size(), expected.size());
    }
    for (const std::string& name : pool)
        EXPECT_EQ(names.Contains(name), expected.count(name) == 1) << name;
}

}  // namespace
