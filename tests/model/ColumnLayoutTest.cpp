// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/ColumnLayout.h"
#include "model/Profile.h"
#include "model/SortRows.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"

namespace {

const std::vector<int> kDefaults = {150, 150, 50, 80, 120, 300};

TEST(ColumnLayoutTest, StoredWidthsComeBackPerModeAndABadOneKeepsItsDefault) {
    CMemoryProfile profile;
    WriteColumnWidths(profile, EMode::Normal, {10, 20, 30, 40, 50, 60});
    EXPECT_EQ(ReadColumnWidths(profile, EMode::Normal, kDefaults),
              (std::vector<int>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(ReadColumnWidths(profile, EMode::Mp3, kDefaults), kDefaults);
    // Edited by hand: no number, zero, negative, too few.
    profile.WriteString("Columns", "Normal", "x,0,-5,44");
    EXPECT_EQ(ReadColumnWidths(profile, EMode::Normal, kDefaults),
              (std::vector<int>{150, 150, 50, 44, 120, 300}));
    profile.WriteString("Columns", "Normal", "1,2,3,4,5,6,7,8");
    EXPECT_EQ(ReadColumnWidths(profile, EMode::Normal, kDefaults).size(), kDefaults.size());
}

TEST(ColumnLayoutTest, TheLastSortAndTheDirectionFlagsOutliveTheSession) {
    CFakePrompts prompts;
    CMemoryProfile profile;
    {
        CTesselSession session(prompts, profile);
        EXPECT_EQ(RestoreSort(session).nColumn, -1);
        SortByColumn(session, 3);
        SLastSort last = RememberSort(session, 3);
        EXPECT_TRUE(last.bAscending);
        SortByColumn(session, 3);
        EXPECT_FALSE(RememberSort(session, 3).bAscending);
        SortByColumn(session, 1);
        RememberSort(session, 1);
    }
    CTesselSession session(prompts, profile);
    SLastSort last = RestoreSort(session);
    EXPECT_EQ(last.mode, EMode::Normal);
    EXPECT_EQ(last.nColumn, 1);
    EXPECT_TRUE(last.bAscending);
    // Column 3 was left descending, so its next click sorts ascending.
    EXPECT_FALSE(session.m_sortFlags[3]);
    SortByColumn(session, 3);
    EXPECT_TRUE(session.m_sortFlags[3]);
    // A column the stored mode does not have is no sort.
    profile.WriteInt("Sort", "Column", 6);
    EXPECT_EQ(RestoreSort(session).nColumn, -1);
}

}  // namespace
