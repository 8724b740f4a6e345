// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <initializer_list>

#include "model/CountText.h"
#include "model/ResultsList.h"

namespace {

// A preview or results of records made for the purpose, with these codes.
CResultsList WithCodes(std::initializer_list<int> codes, bool resultsMode = false,
                       bool tags = false) {
    CResultsList results;
    results.m_bResultsMode = resultsMode;
    results.m_bTags = tags;
    results.m_bBlock = !tags;
    for (int code : codes)
        results.AddResult(CHitDoc(), code);
    return results;
}

TEST(CountTextTest, GroupsThousandsAndNamesOneInTheSingular) {
    EXPECT_EQ(GroupedNumber(0), "0");
    EXPECT_EQ(GroupedNumber(999), "999");
    EXPECT_EQ(GroupedNumber(1000), "1,000");
    EXPECT_EQ(GroupedNumber(100000), "100,000");
    EXPECT_EQ(GroupedNumber(1234567), "1,234,567");
    EXPECT_EQ(Counted(1, "row", "rows"), "1 row");
    EXPECT_EQ(Counted(0, "row", "rows"), "0 rows");
    EXPECT_EQ(Counted(12345, "row", "rows"), "12,345 rows");
}

// A blocking preview counts each kind of verdict and says why OK stays disabled.
TEST(ResultsListTest, ABlockedPreviewCountsItsRowsAndSaysWhyItCannotGoOn) {
    CResultsList preview = WithCodes(
        {kResultOk, kResultOk, kResultUnchanged, kResultNotFound, kResultExists});
    SResultCounts counts = preview.Counts();
    EXPECT_EQ(counts.nOk, 2u);
    EXPECT_EQ(counts.nUnchanged, 1u);
    EXPECT_EQ(counts.nProblems, 2u);
    EXPECT_FALSE(preview.CanConfirm());
    EXPECT_EQ(preview.Summary(), "2 rows OK, 1 unchanged, 2 cannot be renamed");
    EXPECT_EQ(preview.ConfirmRefusal(), "2 rows cannot be renamed: fix or remove them to go on");

    CResultsList one = WithCodes({kResultOk, kResultIllegalChar});
    EXPECT_EQ(one.Summary(), "1 row OK, 0 unchanged, 1 cannot be renamed");
    EXPECT_EQ(one.ConfirmRefusal(), "1 row cannot be renamed: fix or remove it to go on");
}

// OK needs something to do: a preview of unchanged rows (or none) cannot be confirmed,
// and says so; one with a row to rename and nothing in its way can.
TEST(ResultsListTest, NothingToRenameIsNoRunToConfirm) {
    CResultsList unchanged = WithCodes({kResultUnchanged, kResultUnchanged});
    EXPECT_FALSE(unchanged.IsBlocked());
    EXPECT_FALSE(unchanged.CanConfirm());
    EXPECT_EQ(unchanged.ConfirmRefusal(), "Nothing to rename: every row is unchanged");
    EXPECT_EQ(WithCodes({}).ConfirmRefusal(), "Nothing to rename: the list is empty");

    CResultsList ready = WithCodes({kResultOk, kResultUnchanged});
    EXPECT_TRUE(ready.CanConfirm());
    EXPECT_EQ(ready.ConfirmRefusal(), "");
}

// Tags are written past a problem (the preview does not block), but only when some
// changed tag can be written at all.
TEST(ResultsListTest, ATagPreviewSkipsProblemsButNeedsATagToWrite) {
    CResultsList some = WithCodes({kResultOk, kResultReadOnly}, false, true);
    EXPECT_TRUE(some.CanConfirm());
    EXPECT_EQ(some.Summary(), "1 row OK, 0 unchanged, 1 cannot be written");

    CResultsList none = WithCodes({kResultReadOnly, kResultUnchanged}, false, true);
    EXPECT_FALSE(none.CanConfirm());
    EXPECT_EQ(none.ConfirmRefusal(),
              "Nothing to write: no row that would change can be written");
}

// After a run: what was done, what failed, and what was left and why.
TEST(ResultsListTest, ResultsSayWhatWasDoneFailedAndLeft) {
    CResultsList results = WithCodes({kResultOk, kResultOk, kResultUnexpected, kResultCancelled,
                                      kResultCancelled, kResultUnchanged},
                                     true);
    EXPECT_EQ(results.Summary(), "2 renamed, 1 failed, 3 not renamed (2 cancelled, 1 unchanged)");
    EXPECT_EQ(results.ConfirmRefusal(), "");
    EXPECT_EQ(WithCodes({kResultOk}, true).Summary(), "1 renamed, 0 failed");
    EXPECT_EQ(WithCodes({kResultOk, kResultExists, kResultUnchanged}, true, true).Summary(),
              "1 written, 1 failed, 1 not written (1 unchanged)");
}

}  // namespace
