// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>

#include <fstream>

#include "files/GoSupport.h"
#include "files/JournalFolder.h"
#include "files/JournaledRun.h"
#include "files/ListGuard.h"
#include "files/ListKey.h"
#include "files/RunHistory.h"
#include "files/RunJournal.h"

namespace {

// Runs on a saved list, as tessel-cli makes them: each call is a process of its own with a
// fresh session, so only the journals join the runs together.
class RunHistoryTest : public GoTest {
protected:
    SRunList List() const {
        SRunList list;
        list.strPath = dir / "list.tsl";
        return list;
    }
    SRunOutcome GoOnList() {
        prompts.m_extensionChoices.push_back(SExtensionChoice{});
        std::unique_ptr<CJournaledRun> run = CJournaledRun::Go(session, List(), std::nullopt);
        return RunToOutcome(*run, prompts);
    }
    SRunOutcome UndoOnList() {
        std::unique_ptr<CJournaledRun> run = CJournaledRun::Undo(session, List(), "");
        return RunToOutcome(*run, prompts);
    }
    std::vector<SRunEntry> Runs() {
        std::string error;
        if (!folder.IsOpen()) {
            EXPECT_TRUE(folder.Open(JournalFolder(), error)) << error;
        }
        std::string listPath = CanonicalListPath(dir / "list.tsl");
        return CRunHistory(folder, ListKey(listPath), listPath).Runs();
    }

    CJournalFolder folder;
};

// Two runs, a run that renames nothing (Go again by mistake), then undo after undo: each
// takes back the latest run not undone yet, and the files end under their first names.
TEST_F(RunHistoryTest, EachUndoTakesBackTheRunBeforeAndARunOfNothingIsNoStep) {
    AddFiles({"a.txt", "b.txt"});
    Rename({"first-a", "first-b"});
    ASSERT_EQ(GoOnList().nDone, 2u);
    Rename({"second-a", "second-b"});
    ASSERT_EQ(GoOnList().nDone, 2u);
    SRunOutcome again = GoOnList();
    EXPECT_EQ(std::tie(again.end, again.nDone, again.strJournal),
              std::make_tuple(ERunEnd::NothingToRename, size_t{0}, std::string()));
    ASSERT_EQ(Runs().size(), 2u);

    EXPECT_EQ(UndoOnList().nDone, 2u);
    ExpectMoved({{"a.txt", "first-a.txt"}, {"b.txt", "first-b.txt"}});
    EXPECT_EQ(UndoOnList().nDone, 2u);
    ExpectMoved({{"a.txt", "a.txt"}, {"b.txt", "b.txt"}});
    SRunOutcome nothing = UndoOnList();
    EXPECT_EQ(nothing.end, ERunEnd::NothingToUndo);
    std::vector<SRunEntry> runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(runs[0].contents.bUndone && runs[1].contents.bUndone);
}

// The oldest journals go once the list has its fill of them; the latest stay in order.
TEST_F(RunHistoryTest, TheListKeepsItsLatestRuns) {
    AddFiles({"a.txt"});
    const size_t runs = CRunHistory::kKeptRuns + 3;
    for (size_t i = 0; i < runs; ++i) {
        Rename({"name" + std::to_string(i)});
        ASSERT_EQ(GoOnList().nDone, 1u) << i;
    }
    std::vector<SRunEntry> kept = Runs();
    ASSERT_EQ(kept.size(), CRunHistory::kKeptRuns);
    EXPECT_EQ(kept.back().contents.renames[0].strTo,
              dir / ("name" + std::to_string(runs - 1) + ".txt"));
    EXPECT_EQ(kept.front().contents.renames[0].strTo, dir / "name3.txt");
}

// The history tells how many files a run renamed, whatever steps moved them: two files
// that trade names in one step, and one renamed plainly.
TEST_F(RunHistoryTest, ARunCountsTheFilesItRenamed) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    Rename({"b", "a", "x"});
    ASSERT_EQ(GoOnList().nDone, 3u);
    std::vector<SRunEntry> runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].contents.Files(), 3u);
}

// A run whose process died (its journal unfinished, its list's lock free) is found as
// interrupted; one whose list is locked is going on elsewhere and is left alone.
TEST_F(RunHistoryTest, ARunWhoseProcessDiedIsFoundInterrupted) {
    std::string from = dir.WriteFile("a.txt", "content of a.txt");
    std::string to = dir / "x.txt";
    std::string listPath = CanonicalListPath(dir / "list.tsl");
    std::string error;
    ASSERT_TRUE(folder.Open(JournalFolder(), error)) << error;
    CRunHistory history(folder, ListKey(listPath), listPath);
    {
        CRunJournal dying(folder, history.NextName(), listPath);
        ASSERT_TRUE(dying.RunStarting(1));
        ASSERT_TRUE(dying.RenameStarting(FirstRename(from, to)));
        ASSERT_EQ(rename(from.c_str(), to.c_str()), 0);
    }  // the process dies here: no end is recorded
    {
        CListGuard other;
        ASSERT_TRUE(other.Take(dir / "list.tsl", error)) << error;
        EXPECT_TRUE(history.InterruptedRuns(false).empty());
    }
    std::vector<SRunEntry> interrupted = history.InterruptedRuns(false);
    ASSERT_EQ(interrupted.size(), 1u);
    SRunOutcome outcome = UndoOnList();
    EXPECT_TRUE(outcome.bInterrupted && outcome.nDone == 1u);
    ExpectMoved("a.txt", "a.txt");
    EXPECT_TRUE(history.InterruptedRuns(false).empty());
}

// The ended runs of a list that had no file go once its window is gone; those of a window
// still there (its lock held) and those that were interrupted stay.
TEST_F(RunHistoryTest, EndedRunsOfUntitledListsGoWithTheirWindow) {
    std::string error;
    ASSERT_TRUE(folder.Open(JournalFolder(), error)) << error;
    auto writeRun = [this](const std::string& key, bool ended) {
        CRunJournal journal(folder, CRunHistory(folder, key, "").NextName(), "");
        EXPECT_TRUE(journal.RunStarting(1));
        EXPECT_TRUE(journal.RenameStarting(FirstRename(dir / "a", dir / "b")));
        if (ended)
            journal.RunFinished();
    };
    std::string gone = NewUntitledKey(), open = NewUntitledKey(), killed = NewUntitledKey();
    dir.WriteFile("a");
    writeRun(gone, true);
    writeRun(open, true);
    writeRun(killed, false);
    CListGuard window;
    ASSERT_TRUE(window.TakeKey(open, error)) << error;
    CRunHistory(folder, NewUntitledKey(), "").ForgetEndedRunsOfUntitledLists();
    auto runsOf = [this](const std::string& key) {
        return CRunHistory(folder, key, "").Runs().size();
    };
    EXPECT_EQ(std::make_tuple(runsOf(gone), runsOf(open), runsOf(killed)),
              std::make_tuple(size_t{0}, size_t{1}, size_t{1}));
}

// A window killed leaves its lock file behind: it goes at the next window's start, unless
// the list's window is still there (its lock held) or an interrupted run of it waits to be
// put back.
TEST_F(RunHistoryTest, LockFilesOfKilledUntitledWindowsGo) {
    std::string error;
    ASSERT_TRUE(folder.Open(JournalFolder(), error)) << error;
    std::string killed = NewUntitledKey(), open = NewUntitledKey(), interrupted = NewUntitledKey();
    auto lockFile = [this](const std::string& key) {
        return JournalFolder() + "/" + key + ".lock";
    };
    for (const std::string& key : {killed, interrupted})
        std::ofstream{lockFile(key)};  // as a killed window leaves it
    CRunJournal journal(folder, CRunHistory(folder, interrupted, "").NextName(), "");
    ASSERT_TRUE(journal.RunStarting(1));
    dir.WriteFile("a");
    ASSERT_TRUE(journal.RenameStarting(FirstRename(dir / "a", dir / "b")));
    CListGuard window;
    ASSERT_TRUE(window.TakeKey(open, error)) << error;
    CRunHistory(folder, NewUntitledKey(), "").ForgetEndedRunsOfUntitledLists();
    EXPECT_EQ(std::make_tuple(PathExists(lockFile(killed)), PathExists(lockFile(open)),
                              PathExists(lockFile(interrupted))),
              std::make_tuple(false, true, true));
}

}  // namespace
