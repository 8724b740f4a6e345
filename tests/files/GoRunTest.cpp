#include <algorithm>
#include <atomic>
#include <cerrno>
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
    EXPECT_EQ(Go(session), EGoOutcome::Ran);  // an empty list: empty lists, no step
    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_TRUE(prompts.m_results[1].rows.empty());
    EXPECT_FALSE(session.CanUndo());

    AddFiles({"a.txt"});
    session.SetModified(false);
    prompts.m_results.clear();
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

// Only a byte-for-byte equal name is unchanged: a change of letter case is a rename. A run
// of only unchanged rows records nothing.
TEST_F(GoRunTest, UnchangedRowsAreSkippedAndTheOthersRun) {
    AddFiles({"a.txt", "b.txt", "song.mp3"});
    session.SetModified(false);
    EXPECT_EQ(Go(session), EGoOutcome::Ran);
    EXPECT_EQ(ResultCodes(), (std::vector<int>(3, kResultUnchanged)));
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.IsModified());

    prompts.m_results.clear();
    prompts.m_extensionChoices.push_back(SExtensionChoice{});
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

// A file gone and a name taken after the preview: neither is overwritten, each failure
// keeps the system's reason beside its code, and the user chose to go on once only.
TEST_F(GoRunTest, ANameTakenAfterThePreviewIsNeverOverwritten) {
    AddFiles({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
    Rename({"v", "w", "x", "y", "z"});
    prompts.m_onPreview = [this] {
        std::remove((dir / "b.txt").c_str());
        dir.WriteFile("x.txt", "intruder");
    };
    prompts.m_messageAnswers.push_back(EAnswer::Yes);
    EXPECT_EQ(Go(session), EGoOutcome::Ran);

    EXPECT_EQ(ResultCodes(), (std::vector<int>{0, 5, 5, 5, 5}));
    std::vector<int> errors;
    for (const SShownResult& row : prompts.m_results.back().rows)
        errors.push_back(row.nSystemError);
    EXPECT_EQ(errors, (std::vector<int>{0, ENOENT, EEXIST, 0, 0}));
    EXPECT_EQ(prompts.m_messages, (std::vector<std::string>(2, kContinueQuestion)));
    EXPECT_EQ(ReadFileBytes(dir / "x.txt"), "intruder");
    ExpectMoved({{"a.txt", "v.txt"}, {"c.txt", "c.txt"}, {"d.txt", "d.txt"}});
    EXPECT_EQ(session.List().GetEntry(2).m_strPath.Get(), dir / "c.txt");
    // The progress is hidden while the question is asked.
    ASSERT_GE(prompts.m_progressVisibility.size(), 2u);
    EXPECT_EQ(prompts.m_progressVisibility[0], false);
    EXPECT_EQ(prompts.m_progressVisibility[1], true);
    EXPECT_EQ(session.UndoHistory().Top()->GetCount(), 5u);
}

// Renames go on ahead of the bookkeeping: failures in the middle of a long run, where the
// user goes on after each, still land on their own rows, and the observer (the journal)
// hears of each rename and each failure once, in order.
TEST_F(GoRunTest, ALongRunGoesOnPastFailuresRowByRow) {
    class CCallLog : public IRunObserver {
    public:
        bool RunStarting(int) override { return true; }
        bool RenameStarting(int row, const std::string&, const std::string&) override {
            m_calls.push_back(row);
            return true;
        }
        void RenameFailed(int row) override { m_calls.push_back(-row); }
        void RunFinished() override {}
        std::vector<int> m_calls;
    } log;
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
    session.SetRunObserver(&log);
    ASSERT_EQ(Go(session), EGoOutcome::Ran);
    session.SetRunObserver(nullptr);

    std::vector<int> codes = ResultCodes();
    ASSERT_EQ(codes.size(), static_cast<size_t>(kRows));
    std::vector<int> expectedCalls;
    for (int row = 0; row < kRows; ++row) {
        bool vanished = std::count(vanishing.begin(), vanishing.end(), row) != 0;
        ASSERT_EQ(codes[static_cast<size_t>(row)], vanished ? kResultUnexpected : kResultOk);
        expectedCalls.push_back(row);
        if (vanished)
            expectedCalls.push_back(-row);
        else
            ExpectMoved(names[static_cast<size_t>(row)], "g" + std::to_string(row) + ".txt");
    }
    EXPECT_EQ(log.m_calls, expectedCalls);
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

// The user stopped after the first failure: the rows after it are untried, and undo puts
// back the one renamed file without a word.
TEST_F(GoUndoTest, UndoesARunStoppedAfterAFailure) {
    AddFiles({"a.txt", "b.txt", "c.txt", "d.txt"});
    prompts.m_onPreview = [this] { std::remove((dir / "b.txt").c_str()); };
    RunAll({"w", "x", "y", "z"});  // the unscripted question answers No
    ASSERT_EQ(ResultCodes(), (std::vector<int>{0, 5, 5, 5}));
    ExpectMoved({{"a.txt", "w.txt"}, {"c.txt", "c.txt"}, {"d.txt", "d.txt"}});

    prompts.m_messages.clear();
    Undo(session);
    EXPECT_TRUE(prompts.m_messages.empty());
    ExpectMoved({{"a.txt", "a.txt"}, {"c.txt", "c.txt"}, {"d.txt", "d.txt"}});
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

// A row that takes the name an earlier row gave up: only undone backwards does each file
// find its old name free. The extension chosen for the run stays in the entries.
TEST_F(GoUndoTest, PutsChainsBackInReverseRowOrder) {
    AddFiles({"b.txt", "a.txt", "d.txt", "e.mp3"});
    prompts.m_extensionChoices = {SExtensionChoice{false, ".txt"}};
    RunAll({"c", "b", "f", "d"});
    ExpectMoved({{"b.txt", "c.txt"}, {"a.txt", "b.txt"}, {"d.txt", "f.txt"}, {"e.mp3", "d.txt"}});

    Undo(session);
    EXPECT_TRUE(prompts.m_messages.empty());
    ExpectMoved({{"b.txt", "b.txt"}, {"a.txt", "a.txt"}, {"d.txt", "d.txt"}, {"e.mp3", "e.mp3"}});
    EXPECT_FALSE(PathExists(dir / "c.txt"));
    EXPECT_EQ(session.List().GetEntry(0).m_strPath.Get(), dir / "b.txt");
    EXPECT_EQ(session.List().GetEntry(3).m_strName.Get(), "e.mp3");
    EXPECT_EQ(session.List().GetEntry(3).m_strExt.Get(), ".txt");
    EXPECT_FALSE(session.CanUndo());
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
                                           std::string("-n"), std::string(254, 'l'),
                                           std::string("What? <yes> \\ | * \"q\"")));

// Enough rows for the preview to judge them in parallel parts: each verdict stays with
// its row. Most files are gone, so only a few need to exist.
TEST_F(GoRunTest, APreviewOfManyRowsKeepsEachVerdictOnItsRow) {
    const int rows = 10000;
    for (int row = 0; row < rows; ++row) {
        std::string name = "f" + std::to_string(row) + ".txt";
        bool exists = row % 250 == 1 || row % 1000 == 5;
        CHitDoc entry;
        entry.m_strName.Set(name);
        entry.m_strExt.Set(".txt");
        entry.m_strPath.Set(exists ? dir.WriteFile(name) : dir / name);
        entry.m_strNewName.Set((row % 1000 == 5 ? "bad/" : "g") + std::to_string(row));
        session.AddEntry(entry);
    }
    CResultsList preview;
    FillPreview(session, preview);
    ASSERT_EQ(preview.m_records.GetCount(), static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        const CHitDoc& record = preview.m_records.At(static_cast<size_t>(row));
        int expected = row % 1000 == 5  ? kResultIllegalChar
                       : row % 250 == 1 ? kResultOk
                                        : kResultNotFound;
        ASSERT_EQ(record.m_strName.Get(), "f" + std::to_string(row) + ".txt");
        ASSERT_EQ(record.m_nTag, expected) << row;
    }
}

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
    std::vector<int> codes = ResultCodes();
    ASSERT_EQ(codes.size(), static_cast<size_t>(kRows));
    for (int row = 0; row < kRows; ++row) {
        const std::string& name = names[static_cast<size_t>(row)];
        bool renamed = row <= kHeldRow;
        ASSERT_EQ(codes[static_cast<size_t>(row)], renamed ? kResultOk : kResultCancelled) << row;
        ExpectMoved(name, renamed ? "g" + std::to_string(row) + ".txt" : name);
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

}  // namespace
