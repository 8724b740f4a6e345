// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "GoSupport.h"
#include "files/JournaledRun.h"
#include "model/CountText.h"
#include "model/ResultsList.h"
#include "model/RunObserver.h"
#include "support/HookedObserver.h"

namespace {

using GoRunTest = GoTest;

// An empty list runs and records no step. Every other row is renamed in order and keeps
// its file; only a byte-for-byte equal name is unchanged, so a change of letter case is a
// rename (renaming in order and undoing backwards is run end to end by the command-line
// tests). A run of only unchanged rows ends at its preview, which cannot be confirmed; it,
// a cancelled run or a refused preview changes nothing but the extension chosen, and keeps
// no journal.
TEST_F(GoRunTest, RenamesChangedRowsAndRecordsOnlyRunsThatRenamed) {
    EXPECT_EQ(Go(session).end, ERunEnd::NothingToRename);
    EXPECT_FALSE(session.CanUndo());
    AddFiles({"a.txt", "song.mp3", "c.txt", "b.txt"});
    session.SetModified(false);
    prompts.m_results.clear();
    prompts.m_extensionChoices.push_back(SExtensionChoice{});
    EXPECT_EQ(Go(session).end, ERunEnd::NothingToRename);
    ASSERT_EQ(prompts.m_results.size(), 1u);
    EXPECT_EQ(PreviewCodes(), (std::vector<int>(4, kResultUnchanged)));
    EXPECT_FALSE(prompts.m_results[0].bCanConfirm);
    EXPECT_EQ(prompts.m_results[0].strRefusal, "Nothing to rename: every row is unchanged");
    EXPECT_FALSE(session.CanUndo() || session.IsModified());
    EXPECT_EQ(FolderNames(JournalFolder()), std::vector<std::string>{});
    prompts.m_results.clear();
    EXPECT_EQ(Go(session).end, ERunEnd::Declined);  // no extension chosen
    EXPECT_TRUE(prompts.m_results.empty());
    Rename({"a", "Song", "d", "c"});
    prompts.m_extensionChoices.push_back(SExtensionChoice{});
    EXPECT_EQ(Go(session).nDone, 3u);
    ExpectMoved(
        {{"a.txt", "a.txt"}, {"song.mp3", "Song.mp3"}, {"c.txt", "d.txt"}, {"b.txt", "c.txt"}});
    EXPECT_FALSE(PathExists(dir / "song.mp3") || PathExists(dir / "b.txt"));
    EXPECT_EQ(ResultCodes(), (std::vector<int>{kResultUnchanged, 0, 0, 0}));
    EXPECT_EQ(prompts.m_results[0].strSummary, "3 rows OK, 1 unchanged");
    EXPECT_EQ(prompts.m_results[1].strSummary, "3 renamed, 0 failed, 1 not renamed (1 unchanged)");
    EXPECT_EQ(prompts.m_progressRanges.back(), 4);
    EXPECT_EQ(prompts.m_progressFiles.back(), dir / "b.txt");
    EXPECT_EQ(session.List().GetEntry(1).m_strName.Get(), "Song.mp3");
    EXPECT_TRUE(session.IsModified() && session.UndoHistory().TopKind() == kUndoRenameRun);

    Undo(session);
    EXPECT_EQ(session.List().GetEntry(1).m_strName.Get(), "song.mp3");
    EXPECT_FALSE(session.CanUndo());
    session.SetModified(false);
    prompts.m_extensionChoices.push_back(SExtensionChoice{false, ".doc"});
    prompts.m_resultsAnswers.push_back(false);
    EXPECT_EQ(Go(session).end, ERunEnd::Declined);
    EXPECT_EQ(session.List().GetEntry(0).m_strExt.Get(), ".doc");
    ExpectMoved({{"b.txt", "b.txt"}, {"c.txt", "c.txt"}});
    EXPECT_FALSE(session.CanUndo() || session.IsModified());
}

// One extension for every file, or none. A text without a dot is no extension whichever
// way the choice goes: Go given one says so and changes nothing.
TEST_F(GoRunTest, OneExtensionForEveryFileOrNone) {
    AddFiles({"a.txt", "b.mp3", "c"});
    Rename({"x"});
    // The choice, whether it is valid, where the files go, and whether all are MP3 then.
    std::tuple<SExtensionChoice, bool, std::vector<std::pair<std::string, std::string>>, bool>
        runs[] = {{{false, "txt"}, false, {{"a.txt", "a.txt"}}, false},
                  {{true, "txt"}, false, {{"a.txt", "a.txt"}}, false},
                  {{false, ".txt"},
                   true,
                   {{"a.txt", "x.txt"}, {"b.mp3", "b.txt"}, {"c", "c.txt"}},
                   false},
                  {{false, ".MP3"}, true, {{"c", "c.MP3"}}, true},
                  {{false, ""}, true, {{"a.txt", "x"}, {"b.mp3", "b"}, {"c", "c"}}, false}};
    for (const auto& [choice, valid, moves, allMp3] : runs) {
        SCOPED_TRACE(choice.strExtension);
        prompts.m_messages.clear();
        prompts.m_results.clear();
        EXPECT_EQ(Go(session, SGoSettings{choice, EOnFailure::Stop}).end,
                  valid ? ERunEnd::Finished : ERunEnd::Declined);
        EXPECT_EQ(prompts.m_messages,
                  std::vector<std::string>(valid ? 0 : 1, kInvalidExtensionMessage));
        EXPECT_EQ(prompts.m_results.empty(), !valid);
        EXPECT_EQ(session.List().GetEntry(0).m_strExt.Get(), valid ? choice.strExtension : ".txt");
        ExpectMoved(moves);
        EXPECT_EQ(session.AllMp3(), allMp3);
    }
}

struct SFailureCase {
    const char* label;
    EOnFailure policy;
    size_t yeses;      // the answers "go on" scripted before the cautious "stop"
    size_t questions;  // how many times the run asks
    bool bTriesC;      // whether the run got as far as the taken name
    bool bRenamesDE;   // whether it went on to the rows after it
};

void PrintTo(const SFailureCase& c, std::ostream* out) {
    *out << c.label;
}

class GoFailureTest : public GoTest, public ::testing::WithParamInterface<SFailureCase> {};

// A file gone and a name taken after the preview: neither is ever overwritten, each failure
// keeps the system's reason beside its code and the question names the file and the
// reason; after a stop the later rows read "Not renamed", never tried. Undo then puts back
// what was renamed without a word.
TEST_P(GoFailureTest, NamesTakenAfterThePreviewAreNeverOverwritten) {
    const SFailureCase& c = GetParam();
    AddFiles({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
    Rename({"v", "w", "x", "y", "z"});
    prompts.m_onPreview = [this] {
        std::remove((dir / "b.txt").c_str());
        dir.WriteFile("x.txt", "intruder");
    };
    prompts.m_messageAnswers.assign(c.yeses, EAnswer::Yes);
    SRunOutcome outcome = Go(session, SGoSettings{SExtensionChoice{}, c.policy});
    EXPECT_EQ(outcome.end, c.bRenamesDE ? ERunEnd::Finished : ERunEnd::Stopped);
    EXPECT_EQ(outcome.nFailed, c.bTriesC ? 2u : 1u);

    int de = c.bRenamesDE ? kResultOk : kResultCancelled;
    int cc = c.bTriesC ? kResultUnexpected : kResultCancelled;
    EXPECT_EQ(ResultCodes(), (std::vector<int>{kResultOk, kResultUnexpected, cc, de, de}));
    EXPECT_EQ(Codes(true, 1, true), (std::vector<int>{0, ENOENT, c.bTriesC ? EEXIST : 0, 0, 0}));
    std::vector<std::string> questions = {dir / "b.txt" + ": " + std::strerror(ENOENT),
                                          dir / "c.txt" + ": " + std::strerror(EEXIST)};
    questions.resize(c.questions);
    for (std::string& question : questions)
        question += std::string("\n\n") + kContinueQuestion;
    EXPECT_EQ(prompts.m_messages, questions);
    EXPECT_EQ(ReadFileBytes(dir / "x.txt"), "intruder");
    ExpectMoved({{"a.txt", "v.txt"}, {"c.txt", "c.txt"}});
    EXPECT_EQ(session.List().GetEntry(2).m_strPath.Get(), dir / "c.txt");
    EXPECT_EQ(PathExists(dir / "y.txt") && PathExists(dir / "z.txt"), c.bRenamesDE);
    EXPECT_EQ(session.UndoHistory().TopKind(), kUndoRenameRun);

    EXPECT_EQ(Undo(session).nDone, c.bRenamesDE ? 3u : 1u);
    EXPECT_EQ(prompts.m_messages.size(), c.questions);
    ExpectMoved({{"a.txt", "a.txt"}, {"c.txt", "c.txt"}, {"d.txt", "d.txt"}, {"e.txt", "e.txt"}});
    EXPECT_EQ(ReadFileBytes(dir / "x.txt"), "intruder");
    EXPECT_EQ(session.List().GetEntry(0).m_strPath.Get(), dir / "a.txt");
    EXPECT_FALSE(session.CanUndo());
}

INSTANTIATE_TEST_SUITE_P(
    Policies, GoFailureTest,
    ::testing::Values(SFailureCase{"go on once, then stop", EOnFailure::Ask, 1, 2, true, false},
                      SFailureCase{"stop when asked", EOnFailure::Ask, 0, 1, false, false},
                      SFailureCase{"stop unasked", EOnFailure::Stop, 0, 0, false, false},
                      SFailureCase{"go on unasked", EOnFailure::Continue, 0, 0, true, true}));

// Holds the renaming thread before one row until the caller's thread asked to cancel and
// polled again, so that the cancel lands at a known row; the journal hears everything.
struct SHoldAtRow {
    static constexpr int kHeldRow = 1000;
    std::atomic<int> m_nCancelRequests = 0;
    std::atomic<int> m_nLastRow = -1;
    CHookedObserver m_observer{[this](int row) {
        m_nLastRow = row;
        while (row == kHeldRow && m_nCancelRequests < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }};
};

// Renames go on ahead of the bookkeeping: progress reaches the caller while they are at
// work, and a cancel stops the run after the rename in progress. Undo cancelled at once
// puts back only the last rows, each row naming where its file is, and the next the rest.
// The question after a failure is not hidden behind the progress, which comes back after.
TEST_F(GoRunTest, TheProgressMakesWayForTheQuestionAfterAFailure) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    Rename({"x", "y", "z"});
    prompts.m_onPreview = [this] { std::remove((dir / "a.txt").c_str()); };
    prompts.m_messageAnswers.push_back(EAnswer::Yes);
    EXPECT_EQ(Go(session).nFailed, 1u);
    EXPECT_EQ(prompts.m_progressShownAtMessages, std::vector<bool>{false});
    EXPECT_TRUE(prompts.m_bProgressShown);
}

TEST_F(GoRunTest, ALongRunStopsWhenCancelledAndUndoesInSteps) {
    constexpr int kRows = 2000, kHeldRow = SHoldAtRow::kHeldRow;
    std::vector<std::string> names, newNames;
    for (int row = 0; row < kRows; ++row) {
        names.push_back("f" + std::to_string(row) + ".txt");
        newNames.push_back("g" + std::to_string(row));
    }
    AddFiles(names);
    Rename(newNames);
    auto renamed = [&](int row) { return newNames[row] + ".txt"; };
    SHoldAtRow hold;
    int progressBeforeCancel = -1;
    prompts.m_cancelRequested = [&] {
        if (hold.m_nLastRow != kHeldRow || prompts.m_progressPositions.empty())
            return false;
        if (hold.m_nCancelRequests++ == 0)
            progressBeforeCancel = prompts.m_progressPositions.back();
        return true;
    };
    SRunList list;
    list.strUntitledKey = NewUntitledKey();
    list.observe = [&hold](IRunObserver* journal) { return hold.m_observer.Around(journal); };
    std::unique_ptr<CJournaledRun> run = CJournaledRun::Go(session, list, std::nullopt);
    ASSERT_EQ(RunToOutcome(*run, prompts).end, ERunEnd::Cancelled);
    EXPECT_GE(progressBeforeCancel, 0);
    EXPECT_LT(progressBeforeCancel, kHeldRow);
    std::vector<int> codes = ResultCodes();
    ASSERT_EQ(codes.size(), static_cast<size_t>(kRows));
    for (int row = 0; row < kRows; ++row) {
        ASSERT_EQ(codes[row], row > kHeldRow ? kResultCancelled : kResultOk) << row;
        ExpectMoved(names[row], row > kHeldRow ? names[row] : renamed(row));
    }
    EXPECT_EQ(session.List().GetEntry(kHeldRow).m_strPath.Get(), dir / renamed(kHeldRow));
    // What the results say first: how far the run got.
    EXPECT_EQ(prompts.m_results.back().strSummary, "1,001 renamed, 0 failed, 999 not renamed (999 cancelled)");

    prompts.m_cancelRequested = [] { return true; };
    SRunOutcome undone = Undo(session);
    EXPECT_EQ(prompts.m_progressRanges.back(), kHeldRow + 1);  // the renames made
    int firstBack = kRows;  // rows from here on name their files' old names again
    while (firstBack > 0 &&
           session.List().GetEntry(firstBack - 1).m_strPath.Get() == dir / names[firstBack - 1])
        --firstBack;
    for (int row = 0; row <= kHeldRow; ++row)
        ExpectMoved(names[row], row < firstBack ? renamed(row) : names[row]);
    EXPECT_EQ(session.CanUndo(), firstBack > 0);
    // The undo's counts: the rows put back, and those the cancel left for the next one.
    size_t back = static_cast<size_t>(kHeldRow + 1 - firstBack);
    size_t left = static_cast<size_t>(firstBack);
    EXPECT_EQ(undone.nDone, back);
    EXPECT_EQ(UndoSummary(undone),
              "Undo: " + Counted(back, "file", "files") + " put back, 0 failed" +
                  (left > 0 ? ", " + GroupedNumber(left) + " not put back (cancelled)" : ""));

    prompts.m_cancelRequested = nullptr;
    Undo(session);
    for (int row = 0; row < kRows; ++row) {
        ExpectMoved(names[row], names[row]);
        ASSERT_EQ(session.List().GetEntry(row).m_strPath.Get(), dir / names[row]);
    }
    EXPECT_FALSE(session.CanUndo());
}

// A file that took an old name is never overwritten: the file that cannot go back keeps
// its row where it is, the run stays undoable with just that rename, and the rest of the
// history stays too. Once the name is free again, the next Undo puts it back.
TEST_F(GoRunTest, AFileThatCannotGoBackStaysUndoableWithTheRestOfTheHistory) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    session.TakeSnapshot();
    Rename({"keep"});
    session.CommitSnapshot(kUndoEdit);
    Rename({"x", "y", "z"});
    ASSERT_EQ(Go(session).end, ERunEnd::Finished);
    ASSERT_EQ(session.UndoHistory().GetCount(), 2u);
    dir.WriteFile("b.txt", "newcomer");

    SRunOutcome outcome = Undo(session);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].strPath, dir / "b.txt");
    EXPECT_EQ(outcome.problems[0].strText, ResultText(kResultExists));
    EXPECT_EQ(session.UndoHistory().GetCount(), 2u);
    EXPECT_EQ(session.UndoHistory().TopKind(), kUndoRenameRun);
    ExpectMoved({{"a.txt", "a.txt"}, {"c.txt", "c.txt"}, {"b.txt", "y.txt"}});
    EXPECT_EQ(ReadFileBytes(dir / "b.txt"), "newcomer");
    EXPECT_EQ(Column(5), (std::vector<std::string>{dir / "a.txt", dir / "y.txt", dir / "c.txt"}));

    std::remove((dir / "b.txt").c_str());
    EXPECT_EQ(Undo(session).nDone, 1u);
    ExpectMoved("b.txt", "b.txt");
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
    EXPECT_EQ(session.UndoHistory().TopKind(), kUndoEdit);
}

class UnusualRunTest : public GoTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(UnusualRunTest, RenamesAndUndoesNamesByteForByte) {
    AddFiles({GetParam(), "plain"});
    Rename({"plain2", GetParam() + "2"});
    ASSERT_EQ(Go(session).end, ERunEnd::Finished);
    ExpectMoved({{GetParam(), "plain2"}, {"plain", GetParam() + "2"}});
    Undo(session);
    ExpectMoved({{GetParam(), GetParam()}, {"plain", "plain"}});
}

INSTANTIATE_TEST_SUITE_P(Names, UnusualRunTest,
                         ::testing::Values(std::string("caf\xe9\xff"), std::string("new\nline"),
                                           std::string("-n"), std::string(254, 'l'),
                                           std::string("What? <yes> \\ | * \"q\"")));

// Enough rows for the preview to locate and judge them in parallel parts, some spelled
// through "..": each verdict stays with its row. Most files are gone, so only a few need
// to exist.
TEST_F(GoRunTest, APreviewOfManyRowsKeepsEachVerdictOnItsRow) {
    const int rows = 10000;
    dir.MakeFolder("sub");
    for (int row = 0; row < rows; ++row) {
        std::string name = "f" + std::to_string(row) + ".txt";
        if (row % 250 == 1 || row % 1000 == 5)
            dir.WriteFile(name);
        AddRow(name, dir.Path() + (row % 7 == 1 ? "/sub/../" : "/"))
            .m_strNewName.Set((row % 1000 == 5 ? "bad/" : "g") + std::to_string(row));
    }
    CResultsList preview;
    FillPreview(session, preview);
    ASSERT_EQ(preview.GetCount(), static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        int expected = row % 1000 == 5  ? kResultIllegalChar
                       : row % 250 == 1 ? kResultOk
                                        : kResultNotFound;
        ASSERT_EQ(preview.Code(static_cast<size_t>(row)), expected) << row;
    }
}

}  // namespace
