// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "GoSupport.h"
#include "files/JournaledRun.h"
#include "model/ResultsList.h"
#include "support/HookedObserver.h"

namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;
using ChainRunTest = GoTest;

struct SOrderCase {
    const char* label;
    std::vector<std::string> files;     // created, in this order, as rows
    std::vector<std::string> newNames;  // per row
};

void PrintTo(const SOrderCase& c, std::ostream* out) {
    *out << c.label;
}

class ChainOrderTest : public GoTest, public ::testing::WithParamInterface<SOrderCase> {};

// Whatever the order of the rows, every file of a chain gets its new name, no other file
// is touched and no name is left over; the results follow the rows.
TEST_P(ChainOrderTest, RenamesEveryLinkWhateverTheRowOrder) {
    const SOrderCase& c = GetParam();
    AddFiles(c.files);
    Rename(c.newNames);
    SRunOutcome outcome = Go(session);
    ASSERT_EQ(outcome.end, ERunEnd::Finished);
    EXPECT_EQ(outcome.nDone, c.files.size());
    EXPECT_EQ(ResultCodes(), std::vector<int>(c.files.size(), kResultOk));
    std::vector<std::string> expected;
    for (size_t row = 0; row < c.files.size(); ++row) {
        ExpectMoved(c.files[row], c.newNames[row]);
        EXPECT_EQ(session.List().GetEntry(static_cast<int>(row)).m_strPath.Get(),
                  dir / c.newNames[row]);
        expected.push_back(c.newNames[row]);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderNames(dir.Path()), expected);
}

// Undo counts the files it put back, not the steps that moved them: an exchange moves two
// files in one step, a file waiting under a temporary name takes two.
TEST_P(ChainOrderTest, UndoCountsTheFilesPutBack) {
    const SOrderCase& c = GetParam();
    AddFiles(c.files);
    Rename(c.newNames);
    ASSERT_EQ(Go(session).end, ERunEnd::Finished);
    EXPECT_EQ(Undo(session).nDone, c.files.size());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ChainOrderTest,
    ::testing::Values(
        SOrderCase{"shift of a numbered series in row order", {"01", "02", "03"}, {"02", "03", "04"}},
        SOrderCase{"chain in reverse row order", {"a", "b", "c", "d"}, {"b", "c", "d", "e"}},
        SOrderCase{"chain in mixed row order", {"c", "a", "b"}, {"d", "b", "c"}},
        SOrderCase{"swap", {"a", "b"}, {"b", "a"}},
        SOrderCase{"three-cycle", {"a", "b", "c"}, {"b", "c", "a"}},
        SOrderCase{"cycle with a chain into it", {"x", "a", "b", "c"}, {"y", "b", "c", "a"}},
        SOrderCase{"two swaps and a four-cycle", {"a", "b", "c", "d", "e", "f", "g", "h"},
                   {"b", "a", "d", "c", "f", "g", "h", "e"}}));
// clang-format on

// The preview tells which rows trade names and which one waits under a temporary name;
// the results say the same, row for row. Undo puts every name back, the exchange and the
// temporary steps included, and leaves no temporary name behind.
TEST_F(ChainRunTest, TradedNamesAreCommentedAndUndoneWhole) {
    AddFiles({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"});
    Rename({"b", "a", "d", "e", "c", "g"});
    SRunOutcome outcome = Go(session);
    ASSERT_EQ(outcome.end, ERunEnd::Finished);
    ASSERT_EQ(prompts.m_results.size(), 2u);
    for (const SShownResults& shown : prompts.m_results) {
        std::vector<std::string> comments;
        for (const SShownResult& row : shown.rows)
            comments.push_back(row.strComment);
        EXPECT_THAT(comments, ElementsAre("OK (swaps names)", "OK (swaps names)",
                                          "OK (through a temporary name)", "OK", "OK", "OK"));
    }
    ExpectMoved({{"a.txt", "b.txt"},
                 {"b.txt", "a.txt"},
                 {"c.txt", "d.txt"},
                 {"d.txt", "e.txt"},
                 {"e.txt", "c.txt"},
                 {"f.txt", "g.txt"}});
    EXPECT_THAT(FolderNames(dir.Path()),
                ElementsAre("a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "g.txt"));

    SRunOutcome undone = Undo(session);
    EXPECT_EQ(undone.nDone, 6u);  // an exchange, a rename through a temporary name in two
    EXPECT_TRUE(undone.problems.empty());
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"})
        ExpectMoved(name, name);
    EXPECT_THAT(FolderNames(dir.Path()),
                ElementsAre("a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"));
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(session.List().GetEntry(row).m_strName.Get(),
                  std::string(1, static_cast<char>('a' + row)) + ".txt");
}

// A cycle beside a name taken by a file outside the run: the collision still blocks the
// whole run, and nothing is renamed.
TEST_F(ChainRunTest, ACycleBesideACollisionIsBlockedWithIt) {
    dir.WriteFile("taken", "other");
    AddFiles({"a", "b", "c", "d"});
    Rename({"b", "c", "a", "taken"});
    EXPECT_EQ(Go(session).end, ERunEnd::Blocked);
    EXPECT_EQ(PreviewCodes(), (std::vector<int>{0, 0, 0, kResultExists}));
    ExpectMoved({{"a", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}});
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("a", "b", "c", "d", "taken"));
}

// Cancelled while one file of a cycle waits under its temporary name: that row names the
// temporary name, and undo puts every file of the cycle back where it was.
TEST_F(ChainRunTest, ACycleStoppedHalfwayIsPutBackByUndo) {
    AddFiles({"a", "b", "c", "d"});
    Rename({"b", "c", "d", "a"});
    // The steps: a to its temporary name, then d, c and b, then a from its temporary name.
    // Held before the third until the cancel was asked for and taken.
    std::atomic<int> renamesSeen = 0;
    std::atomic<int> cancelRequests = 0;
    CHookedObserver hold([&](int) {
        if (renamesSeen++ == 2)
            while (cancelRequests < 2)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    prompts.m_cancelRequested = [&] {
        if (renamesSeen < 3)
            return false;
        ++cancelRequests;
        return true;
    };
    SRunList list;
    list.strUntitledKey = NewUntitledKey();
    list.observe = [&hold](IRunObserver* journal) { return hold.Around(journal); };
    std::unique_ptr<CJournaledRun> run = CJournaledRun::Go(session, list, std::nullopt);
    ASSERT_EQ(RunToOutcome(*run, prompts).end, ERunEnd::Cancelled);
    EXPECT_THAT(session.List().GetEntry(0).m_strName.Get(), StartsWith(".tessel-"));
    EXPECT_EQ(FolderNames(dir.Path()).size(), 4u);
    ExpectMoved({{"a", session.List().GetEntry(0).m_strName.Get()}, {"d", "a"}, {"c", "d"}});

    prompts.m_cancelRequested = nullptr;
    SRunOutcome undone = Undo(session);
    EXPECT_TRUE(undone.problems.empty());
    EXPECT_THAT(FolderNames(dir.Path()), ElementsAre("a", "b", "c", "d"));
    ExpectMoved({{"a", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}});
    EXPECT_EQ(session.List().GetEntry(0).m_strPath.Get(), dir / "a");
}

}  // namespace
