// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/NaturalCollation.h"
#include "model/SortRows.h"
#include "support/SessionFixture.h"

namespace {

using Names = std::vector<std::string>;

class NaturalOrderTest : public SessionTest {
protected:
    void SetUp() override {
        AddRows({"track10.mp3", "Echo10.mp3", "track2.mp3",
                 "\xc3\xa9"
                 "cho.mp3",
                 "Track3.mp3", "echo2.mp3", "track1.mp3", "echo.mp3"});
    }
};

// Numbers compare by their value and case is ignored; an accent only tells apart names
// that are otherwise equal. (The tests run in the POSIX locale, whose collation would put
// every capital before every small letter: natural order uses the root collation there.)
TEST_F(NaturalOrderTest, NumbersSortByValueWithCaseIgnoredAndAccentsSecond) {
    const Names natural = {"echo",
                           "\xc3\xa9"
                           "cho",
                           "echo2",
                           "Echo10",
                           "track1",
                           "track2",
                           "Track3",
                           "track10"};
    EXPECT_TRUE(SortRows(session, 0, true, ETextOrder::Natural));
    EXPECT_EQ(NewNames(), natural);
    EXPECT_TRUE(SortRows(session, 1, false, ETextOrder::Natural));  // Current Filename
    EXPECT_EQ(NewNames(), Names(natural.rbegin(), natural.rend()));
    // The folded order of the same names is bytewise.
    EXPECT_TRUE(SortRows(session, 0, true));
    EXPECT_EQ(NewNames(), (Names{"echo", "Echo10", "echo2", "track1", "track10", "track2", "Track3",
                                 "\xc3\xa9"
                                 "cho"}));
}

// The View menu's choice decides how a column click sorts, and the profile keeps it for
// the next start.
TEST_F(NaturalOrderTest, TheChoiceSortsColumnClicksAndIsRemembered) {
    ToggleNaturalOrder(session);
    EXPECT_TRUE(SortByColumn(session, 0));
    EXPECT_EQ(NewNames()[7], "track10");
    EXPECT_TRUE(CTesselSession(prompts, profile).m_bNaturalOrder);
    ToggleNaturalOrder(session);
    EXPECT_FALSE(CTesselSession(prompts, profile).m_bNaturalOrder);
    SortByColumn(session, 0);  // descending now, folded
    EXPECT_EQ(NewNames()[0],
              "\xc3\xa9"
              "cho");
}

// Another locale's collation: Swedish puts "ö" after "z", the root collation beside "o".
TEST(NaturalCollationTest, TheLocaleDecidesWhereLettersGo) {
    auto before = [](const char* locale, const std::string& a, const std::string& b) {
        CNaturalCollation collation(locale);
        std::string keyA, keyB;
        collation.AppendKey(a, keyA);
        collation.AppendKey(b, keyB);
        return keyA < keyB;
    };
    EXPECT_TRUE(before("sv", "zebra", "\xc3\xb6l"));
    EXPECT_TRUE(before("en", "\xc3\xb6l", "zebra"));
    EXPECT_TRUE(before("en", "file 9", "File 10"));
    // A byte that is not UTF-8 gets a key too, after the letters.
    EXPECT_TRUE(before("en", "Cafz", "Caf\xe9"));
}

}  // namespace
