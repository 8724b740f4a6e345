#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "GoSupport.h"
#include "files/UndoCommand.h"
#include "model/ResultsList.h"
#include "model/RunObserver.h"

namespace {

using GoRunTest = GoTest;

TEST_F(GoRunTest, RenamesEveryRowInOrderAndRecordsTheRun) {
    AddFiles({"a.txt", "b.txt", "sub/c.txt"});
    Rename({"one", "two", "three"});
    EXPECT_EQ(Go(session), EGoOutcome::Ran);

    ExpectMoved({{"a.txt", "one.txt"}, {"b.txt", "two.txt"}, {"sub/c.txt", "sub/three.txt"}});
    EXPECT_FALSE(PathExists(dir / "a.txt"));
    const CHitDoc& entry = session.List().GetEntry(2);
    EXPECT_EQ(entry.m_strPath.Get(), dir / "sub/three.txt");
    EXPECT_EQ(entry.m_strName.Get(), "three.txt");

    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_EQ(prompts.m_results[0].strTitle, "Preview");
    EXPECT_FALSE(prompts.m_results[0].bResultsMode);
    EXPECT_EQ(prompts.m_results[1].strTitle, "Results");
    EXPECT_TRUE(prompts.m_results[1].bResultsMode);
    EXPECT_EQ(ResultCodes(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(prompts.m_results[1].rows[0].strBefore, "a.txt");
    EXPECT_EQ(prompts.m_results[1].rows[0].strAfter, "one.txt");
    EXPECT_EQ(prompts.m_progressRanges, (std::vector<int>{3}));
    EXPECT_EQ(prompts.m_progressPositions, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(prompts.m_nProgressEnds, 1);
    EXPECT_EQ(session.UndoHistory().TopKind(), kUndoRenameRun);
    EXPECT_EQ(session.UndoHistory().Top()->GetCount(), 3u);
    EXPECT_TRUE(session.IsModified());
}

TEST_F(GoRunTest, CancellingChangesNothingButTheChosenExtensionStays) {
    AddFiles({"a.txt"});
    session.SetModified(false);
    prompts.m_extensionChoices.clear();
    EXPECT_EQ(Go(session), EGoOutcome::Cancelled);
    EXPECT_TRUE(prompts.m_results.empty());

    prompts.m_extensionChoices.push_back(SExtensionChoice{false, ".doc"});
    prompts.m_resultsAnswers.push_back(false);
    EXPECT_EQ(Go(session), EGoOutcome::Refused);
    EXPECT_EQ(session.List().GetEntry(0).m_strExt.Get(), ".doc");
    ExpectMoved("a.txt", "a.txt");
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.IsModified());
}

TEST_F(GoRunTest, OneExtensionForEveryFileOrNone) {
    AddFiles({"a.txt", "b.mp3", "c"});
    prompts.m_extensionChoices = {SExtensionChoice{false, ".txt"}};
    Rename({"x"});
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    EXPECT_EQ(ResultCodes(), (std::vector<int>{0, 0, 0}));
    ExpectMoved({{"a.txt", "x.txt"}, {"b.mp3", "b.txt"}, {"c", "c.txt"}});
    EXPECT_FALSE(session.AllMp3());

    prompts.m_extensionChoices = {SExtensionChoice{false, ".MP3"}};
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    ExpectMoved("c", "c.MP3");
    EXPECT_TRUE(session.AllMp3());

    prompts.m_extensionChoices = {SExtensionChoice{false, ""}};
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    ExpectMoved({{"a.txt", "x"}, {"b.mp3", "b"}, {"c", "c"}});
    EXPECT_FALSE(session.AllMp3());
}

TEST_F(GoRunTest, AnEmptyListShowsEmptyListsAndRecordsNothing) {
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_TRUE(prompts.m_results[0].bCanConfirm);
    EXPECT_TRUE(prompts.m_results[0].rows.empty());
    EXPECT_TRUE(prompts.m_results[1].rows.empty());
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(GoRunTest, UnchangedRowsAreSkippedAndTheOthersRun) {
    AddFiles({"a.txt", "b.txt", "song.mp3"});
    session.SetModified(false);
    // Only a byte-for-byte equal name is unchanged: a change of letter case is a rename.
    Rename({"a", "x", "Song"});
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    EXPECT_EQ(PreviewCodes(), (std::vector<int>{kResultUnchanged, kResultOk, kResultOk}));
    EXPECT_EQ(ResultCodes(), (std::vector<int>{kResultUnchanged, kResultOk, kResultOk}));
    EXPECT_EQ(prompts.m_results.back().rows[0].strAfter, "a.txt");
    ExpectMoved({{"a.txt", "a.txt"}, {"b.txt", "x.txt"}, {"song.mp3", "Song.mp3"}});
    EXPECT_FALSE(PathExists(dir / "song.mp3"));
    EXPECT_TRUE(session.IsModified());

    Undo(session);
    ExpectMoved({{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"song.mp3", "song.mp3"}});
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(GoRunTest, ARunOfOnlyUnchangedRowsRecordsNothing) {
    AddFiles({"a.txt", "b.txt"});
    session.SetModified(false);
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    EXPECT_EQ(ResultCodes(), (std::vector<int>{kResultUnchanged, kResultUnchanged}));
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.IsModified());
}

TEST_F(GoRunTest, NamesWithWindowsReservedCharactersAreMadeOnAPosixFileSystem) {
    AddFiles({"a.mp3", "b.txt"});
    Rename({"Artist: Title", "What? <yes> \\ | * \"q\""});
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    EXPECT_EQ(ResultCodes(), (std::vector<int>{kResultOk, kResultOk}));
    ExpectMoved({{"a.mp3", "Artist: Title.mp3"}, {"b.txt", "What? <yes> \\ | * \"q\".txt"}});
}

TEST_F(GoRunTest, ANameTakenAfterThePreviewIsNeverOverwritten) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    Rename({"x", "y", "z"});
    prompts.m_onPreview = [this] { dir.WriteFile("y.txt", "intruder"); };
    prompts.m_messageAnswers.push_back(EAnswer::Yes);
    EXPECT_EQ(Go(session), EGoOutcome::Ran);

    EXPECT_EQ(ResultCodes(), (std::vector<int>{0, 5, 0}));
    EXPECT_EQ(prompts.m_messages, (std::vector<std::string>{kContinueQuestion}));
    EXPECT_EQ(ReadFileBytes(dir / "y.txt"), "intruder");
    ExpectMoved({{"b.txt", "b.txt"}, {"c.txt", "z.txt"}});
    EXPECT_EQ(session.List().GetEntry(1).m_strPath.Get(), dir / "b.txt");
    EXPECT_EQ(prompts.m_progressVisibility, (std::vector<bool>{false, true}));
}

TEST_F(GoRunTest, StoppingAfterAFailureMarksEveryLaterRowUntried) {
    AddFiles({"a.txt", "b.txt", "c.txt", "d.txt"});
    Rename({"new0", "new1", "new2", "new3"});
    prompts.m_onPreview = [this] { std::remove((dir / "b.txt").c_str()); };
    EXPECT_EQ(Go(session), EGoOutcome::Ran);  // the unscripted question answers No

    EXPECT_EQ(ResultCodes(), (std::vector<int>{0, 5, 5, 5}));
    ExpectMoved({{"a.txt", "new0.txt"}, {"c.txt", "c.txt"}, {"d.txt", "d.txt"}});
    EXPECT_EQ(session.UndoHistory().Top()->GetCount(), 4u);
}

// An observer that keeps what it heard, as a journal would.
class CCallLog : public IRunObserver {
public:
    bool RunStarting(int rows) override {
        m_calls.push_back("start " + std::to_string(rows));
        return true;
    }
    bool RenameStarting(int row, const std::string&, const std::string&) override {
        m_calls.push_back("rename " + std::to_string(row));
        return true;
    }
    void RenameFailed(int row) override { m_calls.push_back("failed " + std::to_string(row)); }
    void RunFinished() override { m_calls.push_back("finish"); }
    std::vector<std::string> m_calls;
};

// Renames go on ahead of the bookkeeping: failures in the middle of a long run, where
// the user goes on after each, still land on their own rows, with every call heard once
// and in order and the progress shown row by row.
TEST_F(GoRunTest, ALongRunGoesOnPastFailuresRowByRow) {
    constexpr int kRows = 2000;
    const std::vector<int> vanishing = {255, 256, 1500};
    std::vector<std::string> names;
    for (int row = 0; row < kRows; ++row)
        names.push_back("f" + std::to_string(row) + ".txt");
    AddFiles(names);
    for (int row = 0; row < kRows; ++row)
        session.List().GetEntry(row).m_strNewName.Set("g" + std::to_string(row));
    prompts.m_onPreview = [&] {
        for (int row : vanishing)
            std::remove((dir / names[static_cast<size_t>(row)]).c_str());
    };
    prompts.m_messageAnswers.assign(vanishing.size(), EAnswer::Yes);
    CCallLog log;
    session.SetRunObserver(&log);
    ASSERT_EQ(Go(session), EGoOutcome::Ran);
    session.SetRunObserver(nullptr);

    std::vector<int> codes = ResultCodes();
    ASSERT_EQ(codes.size(), static_cast<size_t>(kRows));
    std::vector<std::string> expectedCalls = {"start " + std::to_string(kRows)};
    std::vector<int> expectedProgress;
    for (int row = 0; row < kRows; ++row) {
        bool vanished = std::count(vanishing.begin(), vanishing.end(), row) != 0;
        ASSERT_EQ(codes[static_cast<size_t>(row)], vanished ? kResultUnexpected : kResultOk);
        expectedCalls.push_back("rename " + std::to_string(row));
        if (vanished)
            expectedCalls.push_back("failed " + std::to_string(row));
        expectedProgress.push_back(row);
        if (!vanished)
            ExpectMoved(names[static_cast<size_t>(row)], "g" + std::to_string(row) + ".txt");
    }
    expectedCalls.push_back("finish");
    EXPECT_EQ(log.m_calls, expectedCalls);
    EXPECT_EQ(prompts.m_progressPositions, expectedProgress);
    EXPECT_EQ(prompts.m_messages.size(), vanishing.size());
    EXPECT_EQ(session.List().GetEntry(1499).m_strPath.Get(), dir / "g1499.txt");
    EXPECT_EQ(session.List().GetEntry(1500).m_strPath.Get(), dir / names[1500]);
}

class GoUndoTest : public GoTest {
protected:
    void RunAll(const std::vector<std::string>& newNames) {
        Rename(newNames);
        ASSERT_EQ(Go(session), EGoOutcome::Ran);
    }
};

TEST_F(GoUndoTest, PutsAThousandFilesBackUnchangedEvenAfterACancelledUndo) {
    std::vector<std::string> names;
    std::vector<std::string> newNames;
    for (int i = 0; i < 1000; ++i) {
        names.push_back("file" + std::to_string(i) + ".dat");
        newNames.push_back("renamed" + std::to_string(999 - i));
    }
    AddFiles(names);
    RunAll(newNames);
    for (int i = 0; i < 1000; ++i)
        ExpectMoved(names[i], newNames[i] + ".dat");

    // Cancelled at once: however far the renames got, each row names where its file is,
    // the rows put back are the last ones, and the others stay for the next Undo.
    prompts.m_progressRanges.clear();
    prompts.m_cancelRequested = [] { return true; };
    Undo(session);
    EXPECT_EQ(prompts.m_progressRanges, (std::vector<int>{1000}));
    int firstBack = 1000;
    for (int i = 999; i >= 0 && session.List().GetEntry(i).m_strPath.Get() == dir / names[i]; --i)
        firstBack = i;
    for (int i = 0; i < 1000; ++i)
        ExpectMoved(names[i], i < firstBack ? newNames[i] + ".dat" : names[i]);
    EXPECT_EQ(session.CanUndo(), firstBack > 0);

    prompts.m_cancelRequested = nullptr;
    Undo(session);
    for (int i = 0; i < 1000; ++i) {
        ExpectMoved(names[i], names[i]);
        EXPECT_EQ(session.List().GetEntry(i).m_strPath.Get(), dir / names[i]);
    }
    EXPECT_FALSE(PathExists(dir / "renamed0.dat"));
    EXPECT_FALSE(session.CanUndo());
    EXPECT_TRUE(prompts.m_messages.empty());
}

TEST_F(GoUndoTest, UndoesARunStoppedHalfwayWithoutAnError) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    prompts.m_onPreview = [this] { dir.WriteFile("y.txt", "intruder"); };
    RunAll({"x", "y", "z"});
    ASSERT_EQ(ResultCodes(), (std::vector<int>{0, 5, 5}));

    Undo(session);
    EXPECT_EQ(prompts.m_messages, (std::vector<std::string>{kContinueQuestion}));
    ExpectMoved({{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"c.txt", "c.txt"}});
    EXPECT_EQ(ReadFileBytes(dir / "y.txt"), "intruder");
    EXPECT_EQ(session.List().GetEntry(0).m_strPath.Get(), dir / "a.txt");
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(GoUndoTest, AFileThatCannotGoBackLeavesItsRowWhereItIsAndEmptiesTheHistory) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    session.TakeSnapshot();
    Rename({"keep"});
    session.CommitSnapshot(kUndoEdit);
    RunAll({"x", "y", "z"});
    ASSERT_EQ(session.UndoHistory().GetCount(), 2u);
    dir.WriteFile("b.txt", "newcomer");

    Undo(session);
    EXPECT_EQ(prompts.m_messages, (std::vector<std::string>{kCannotUndoMessage}));
    EXPECT_FALSE(session.CanUndo());
    ExpectMoved({{"a.txt", "a.txt"}, {"c.txt", "c.txt"}, {"b.txt", "y.txt"}});
    EXPECT_EQ(ReadFileBytes(dir / "b.txt"), "newcomer");
    EXPECT_EQ(session.List().GetEntry(1).m_strPath.Get(), dir / "y.txt");
    EXPECT_EQ(session.List().GetEntry(2).m_strPath.Get(), dir / "c.txt");
}

// A row that takes the name an earlier row gave up: only undone backwards does each
// file find its old name free.
TEST_F(GoUndoTest, PutsChainsBackInReverseRowOrder) {
    AddFiles({"b.txt", "a.txt", "d.txt", "e.txt"});
    RunAll({"c", "b", "f", "d"});
    ExpectMoved({{"b.txt", "c.txt"}, {"a.txt", "b.txt"}, {"d.txt", "f.txt"}, {"e.txt", "d.txt"}});

    Undo(session);
    EXPECT_TRUE(prompts.m_messages.empty());
    ExpectMoved({{"b.txt", "b.txt"}, {"a.txt", "a.txt"}, {"d.txt", "d.txt"}, {"e.txt", "e.txt"}});
    EXPECT_FALSE(PathExists(dir / "c.txt"));
    EXPECT_EQ(session.List().GetEntry(0).m_strPath.Get(), dir / "b.txt");
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(GoUndoTest, KeepsTheChosenExtensionInTheEntries) {
    AddFiles({"a.txt", "b.mp3"});
    prompts.m_extensionChoices = {SExtensionChoice{false, ".ogg"}};
    RunAll({"a", "b"});
    ExpectMoved("b.mp3", "b.ogg");
    Undo(session);
    ExpectMoved({{"a.txt", "a.txt"}, {"b.mp3", "b.mp3"}});
    EXPECT_EQ(session.List().GetEntry(1).m_strExt.Get(), ".ogg");
    EXPECT_EQ(session.List().GetEntry(1).m_strName.Get(), "b.mp3");
}

class UnusualRunTest : public GoUndoTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(UnusualRunTest, RenamesAndUndoesNamesByteForByte) {
    AddFiles({GetParam(), "plain"});
    RunAll({"plain2", GetParam() + "2"});
    ExpectMoved({{GetParam(), "plain2"}, {"plain", GetParam() + "2"}});
    Undo(session);
    ExpectMoved({{GetParam(), GetParam()}, {"plain", "plain"}});
}

INSTANTIATE_TEST_SUITE_P(Names, UnusualRunTest,
                         ::testing::Values(std::string("caf\xe9\xff"), std::string("new\nline"),
                                           std::string("-n"), std::string(254, 'l')));

// Enough rows for the preview to judge them in parallel parts: each verdict stays with
// its row. Most files are gone, so only a few need to exist.
TEST_F(GoRunTest, APreviewOfManyRowsKeepsEachVerdictOnItsRow) {
    const int rows = 10000;
    std::vector<int> expected;
    for (int row = 0; row < rows; ++row) {
        std::string name = "f" + std::to_string(row) + ".txt";
        bool exists = row % 250 == 1 || row % 1000 == 5;
        CHitDoc entry;
        entry.m_strName.Set(name);
        entry.m_strExt.Set(".txt");
        entry.m_strPath.Set(exists ? dir.WriteFile(name) : dir / name);
        entry.m_strNewName.Set((row % 1000 == 5 ? "bad/" : "g") + std::to_string(row));
        session.AddEntry(entry);
        expected.push_back(!exists           ? kResultNotFound
                           : row % 1000 == 5 ? kResultIllegalChar
                                             : kResultOk);
    }
    CResultsList preview;
    FillPreview(session, preview);
    std::vector<int> codes;
    for (size_t i = 0; i < preview.m_records.GetCount(); ++i) {
        codes.push_back(preview.m_records.At(i).m_nTag);
        ASSERT_EQ(preview.m_records.At(i).m_strName.Get(), "f" + std::to_string(i) + ".txt");
    }
    ASSERT_EQ(codes.size(), expected.size());
    for (size_t i = 0; i < codes.size(); ++i)
        ASSERT_EQ(codes[i], expected[i]) << i;
}

}  // namespace

namespace {

// Holds the renaming thread before one row until the caller's thread asked to cancel and
// polled again, so that the cancel lands at a known row.
class CHoldAtRow : public IRunObserver {
public:
    explicit CHoldAtRow(int row) : m_nRow(row) {}
    bool RunStarting(int) override { return true; }
    bool RenameStarting(int row, const std::string&, const std::string&) override {
        m_nLastRow = row;
        while (row == m_nRow && m_nCancelRequests < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    }
    void RenameFailed(int) override {}
    void RunFinished() override {}
    const int m_nRow;
    std::atomic<int> m_nCancelRequests = 0;
    std::atomic<int> m_nLastRow = -1;
};

}  // namespace

// A cancelled run stops after the rename in progress: the rows before it are renamed and
// undoable, the rows after it keep their names and say why.
TEST_F(GoRunTest, ACancelledRunStopsAfterTheRenameInProgressAndUndoesWhole) {
    constexpr int kRows = 2000;
    constexpr int kHeldRow = 1000;
    std::vector<std::string> names;
    for (int row = 0; row < kRows; ++row)
        names.push_back("f" + std::to_string(row) + ".txt");
    AddFiles(names);
    for (int row = 0; row < kRows; ++row)
        session.List().GetEntry(row).m_strNewName.Set("g" + std::to_string(row));
    CHoldAtRow hold(kHeldRow);
    int progressBeforeCancel = -1;
    prompts.m_cancelRequested = [&] {
        if (hold.m_nLastRow != kHeldRow || prompts.m_progressPositions.empty())
            return false;
        if (hold.m_nCancelRequests++ == 0)
            progressBeforeCancel = prompts.m_progressPositions.back();
        return true;
    };
    session.SetRunObserver(&hold);
    ASSERT_EQ(Go(session), EGoOutcome::Ran);
    session.SetRunObserver(nullptr);

    // Progress reached the caller while the renaming thread was still at work.
    EXPECT_GE(progressBeforeCancel, 0);
    EXPECT_LT(progressBeforeCancel, kHeldRow);
    EXPECT_EQ(hold.m_nLastRow, kHeldRow);
    std::vector<int> codes = ResultCodes();
    ASSERT_EQ(codes.size(), static_cast<size_t>(kRows));
    for (int row = 0; row < kRows; ++row) {
        const std::string& name = names[static_cast<size_t>(row)];
        if (row <= kHeldRow) {
            ASSERT_EQ(codes[static_cast<size_t>(row)], kResultOk) << row;
            ExpectMoved(name, "g" + std::to_string(row) + ".txt");
        } else {
            ASSERT_EQ(codes[static_cast<size_t>(row)], kResultCancelled) << row;
            ExpectMoved(name, name);
        }
    }

    prompts.m_cancelRequested = nullptr;
    Undo(session);
    EXPECT_TRUE(prompts.m_messages.empty());
    for (int row = 0; row < kRows; ++row) {
        const std::string& name = names[static_cast<size_t>(row)];
        ExpectMoved(name, name);
        ASSERT_EQ(session.List().GetEntry(row).m_strPath.Get(), dir / name);
    }
}
