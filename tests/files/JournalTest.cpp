// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>

#include <filesystem>

#include "files/GoSupport.h"
#include "files/JournalFolder.h"
#include "files/JournalUndo.h"
#include "files/JournaledRun.h"
#include "files/RunJournal.h"
#include "support/OtherUser.h"

namespace {

using ::testing::HasSubstr;

constexpr int64_t kStarted = 1700000000;

class JournalTest : public GoTest {
protected:
    std::string FolderPath() const { return JournalFolder(); }
    std::string ListPath() const { return dir / "list.tsl"; }
    void OpenFolder() {
        std::string error;
        ASSERT_TRUE(folder.Open(FolderPath(), error)) << error;
    }
    bool Refused(const std::string& path) {
        CJournalFolder other;
        std::string error;
        return !other.Open(path, error) && error.find("refused") != std::string::npos;
    }

    CJournalFolder folder;
    CRunJournal journal{folder, "list-00000001.journal", ListPath()};
};

// Every way a kill can cut the bytes short: the records before the cut are read, and a
// cut anywhere in the last record or in the finishing mark leaves the run unfinished. The
// list and the start travel with the records, and an undone run says so.
TEST_F(JournalTest, ATornEndEndsTheJournal) {
    SJournalContents contents{
        ListPath(), kStarted, {{0, "/m/a", "/m/x", 1, 2}, {1, "/m/b", "/m/y", 1, 3}}, {}, true};
    std::string bytes = JournalBytes(contents);
    std::string one;
    AppendRenameRecord(one, contents.renames[0]);
    size_t firstEnd = JournalHeader(ListPath(), kStarted).size() + one.size();
    SJournalContents read;
    for (size_t cut = firstEnd; cut < bytes.size(); ++cut) {
        ASSERT_TRUE(ParseJournal(bytes.substr(0, cut), read));
        EXPECT_FALSE(read.bFinished) << cut;
        ASSERT_GE(read.renames.size(), 1u) << cut;
        EXPECT_EQ(read.renames[0].strTo, "/m/x");
    }
    ASSERT_TRUE(ParseJournal(bytes, read));
    EXPECT_EQ(std::tie(read.strListPath, read.nStarted, read.bFinished, read.bUndone),
              std::make_tuple(ListPath(), kStarted, true, false));
    contents.bUndone = true;
    ASSERT_TRUE(ParseJournal(JournalBytes(contents), read));
    EXPECT_TRUE(read.bUndone && read.renames.size() == 2u);
    bytes[firstEnd + 30] ^= 1;
    ASSERT_TRUE(ParseJournal(bytes, read));
    EXPECT_EQ(read.renames.size(), 1u);
    EXPECT_FALSE(read.bFinished);
}

// A file cut short within its header, or one that is no journal, is refused whole: it
// names no list and no run to undo.
TEST_F(JournalTest, AHeaderCutShortIsNoJournal) {
    std::string header = JournalHeader(ListPath(), kStarted);
    SJournalContents read;
    for (size_t cut = 0; cut < header.size(); ++cut)
        EXPECT_FALSE(ParseJournal(header.substr(0, cut), read)) << cut;
    EXPECT_FALSE(ParseJournal("not a journal of renames at all", read));
}

// The journal being written is held open: a link swapped in for it meanwhile is neither
// written through nor read, and writing a new journal replaces the link, never its target.
TEST_F(JournalTest, ALinkSwappedInDuringARunIsNeverFollowed) {
    OpenFolder();
    std::string victim = dir.WriteFile("victim", "precious");
    ASSERT_TRUE(journal.RunStarting(2));
    std::filesystem::remove(journal.Path());
    std::filesystem::create_symlink(victim, journal.Path());
    EXPECT_TRUE(journal.RenameStarting(FirstRename("/m/a", "/m/x")));
    journal.RunFinished();
    EXPECT_EQ(ReadFileBytes(victim), "precious");
    SJournalContents read;
    std::string error;
    EXPECT_FALSE(journal.Read(read, error));
    EXPECT_THAT(error, HasSubstr("link"));
    EXPECT_TRUE(journal.Replace({ListPath(), kStarted, {{0, "/m/a", "/m/x"}}, {}, true}, error))
        << error;
    EXPECT_EQ(ReadFileBytes(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(journal.Path()));
}

TEST_F(JournalTest, TheFolderIsMadePrivateAndAnUnsafeOneRefused) {
    OpenFolder();
    struct stat facts;
    ASSERT_EQ(stat(FolderPath().c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 07777, 0700u);
    std::string groupWritable = dir.MakeFolder("group");
    chmod(groupWritable.c_str(), 0770);
    EXPECT_TRUE(Refused(groupWritable));
    std::filesystem::create_directory_symlink(FolderPath(), dir / "link");
    EXPECT_TRUE(Refused(dir / "link"));

    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to look at a folder as another user";
    chmod(dir.Path().c_str(), 0755);
    std::string roots = dir.MakeFolder("roots");
    chmod(roots.c_str(), 0755);
    COtherUser user;
    ASSERT_TRUE(user.Switched());
    EXPECT_TRUE(Refused(roots));
}

// Records are written ahead of their renames: a rename that then fails leaves a record
// marked as never made, which undo neither reports nor acts on. A file that took an old
// name is not the renamed file, and a file gone from its new name cannot be put back:
// both are reported and kept for a later undo, and the run stays on the history.
TEST_F(JournalTest, RenamesNeverMadeAreSkippedAndThoseThatCannotGoBackAreKept) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    prompts.m_onPreview = [this] { dir.WriteFile("y.txt", "newcomer"); };
    prompts.m_messageAnswers.push_back(EAnswer::Yes);
    Rename({"x", "y", "z"});
    SRunOutcome ran = Go(session);
    ASSERT_TRUE(ran.strError.empty()) << ran.strError;
    ASSERT_EQ(ran.nDone, 2u);
    std::string error;
    ASSERT_TRUE(folder.Open(JournalFolder(), error)) << error;
    SJournalContents recorded;
    ASSERT_TRUE(CRunJournal(folder, ran.strJournal, "").Read(recorded, error)) << error;
    EXPECT_TRUE(recorded.bFinished);
    ASSERT_EQ(recorded.renames.size(), 2u);
    EXPECT_EQ(recorded.renames[1].nRow, 2u);
    EXPECT_EQ(std::tie(recorded.renames[1].strFrom, recorded.renames[1].strTo),
              std::make_tuple(dir / "c.txt", dir / "z.txt"));

    dir.WriteFile("c.txt", "newcomer");
    std::filesystem::remove(dir / "x.txt");
    std::vector<std::string> problems;
    for (const auto& problem : Undo(session).problems)
        problems.push_back(problem.strPath + ": " + problem.strText);
    EXPECT_EQ(problems, (std::vector<std::string>{dir / "c.txt: File already exists",
                                                  dir / "x.txt: File not found"}));
    ExpectMoved("b.txt", "b.txt");
    EXPECT_EQ(ReadFileBytes(dir / "c.txt") + ReadFileBytes(dir / "y.txt"), "newcomernewcomer");
    SJournalContents left;
    ASSERT_TRUE(CRunJournal(folder, ran.strJournal, "").Read(left, error)) << error;
    ASSERT_EQ(left.renames.size(), 2u);
    EXPECT_EQ(std::tie(left.renames[0].strTo, left.renames[1].strTo),
              std::make_tuple(dir / "x.txt", dir / "z.txt"));
    EXPECT_TRUE(session.CanUndo());
}

// A record no run makes (a name of "..", a move into another folder, a file it does not
// identify) is refused with the whole journal: nothing is put back.
TEST_F(JournalTest, ARecordOfAPathNoRunMakesIsRefused) {
    AddFiles({"in/a.txt"});
    dir.MakeFolder("is");
    OpenFolder();
    struct stat facts;
    ASSERT_EQ(lstat((dir / "in/a.txt").c_str(), &facts), 0);
    SRunRename forged[] = {
        {0, dir / "in/..", dir / "in/a.txt", facts.st_dev, facts.st_ino},
        {0, dir / "is/a.txt", dir / "in/a.txt", facts.st_dev, facts.st_ino},
        {0, dir / "in/b.txt", dir / "in/a.txt", 0, 0},
    };
    for (const SRunRename& rename : forged) {
        SCOPED_TRACE(rename.strFrom);
        std::string error;
        ASSERT_TRUE(journal.Replace({"", kStarted, {rename}, {}, true}, error));
        SRunList list;
        list.strUntitledKey = NewUntitledKey();
        std::unique_ptr<CJournaledRun> undo = CJournaledRun::Undo(session, list, journal.Name());
        SRunOutcome outcome = RunToOutcome(*undo, prompts);
        EXPECT_EQ(outcome.end, ERunEnd::Refused);
        EXPECT_THAT(outcome.strError, HasSubstr("never a run's"));
        ExpectMoved("in/a.txt", "in/a.txt");
    }
}

// Undo trusts the journal, not the rows: rows added, moved or changed since the run do not
// stop it, and each row that names a file put back takes its old path.
TEST_F(JournalTest, UndoFollowsTheJournalWhateverTheRowsBecameSince) {
    AddFiles({"a.txt", "b.txt"});
    Rename({"x", "y"});
    SRunOutcome ran = Go(session);
    ASSERT_EQ(ran.nDone, 2u);
    AddFiles({"c.txt"});
    session.List().GetEntry(0).m_strNewName.Set("changed");
    std::swap(session.List().GetEntry(0), session.List().GetEntry(1));
    SRunList list;
    list.strUntitledKey = NewUntitledKey();
    std::unique_ptr<CJournaledRun> undo = CJournaledRun::Undo(session, list, ran.strJournal);
    SRunOutcome outcome = RunToOutcome(*undo, prompts);
    EXPECT_EQ(outcome.nDone, 2u);
    ExpectMoved({{"a.txt", "a.txt"}, {"b.txt", "b.txt"}});
    EXPECT_EQ(Column(5), (std::vector<std::string>{dir / "b.txt", dir / "a.txt", dir / "c.txt"}));
}

// A run whose journal is gone (the history keeps only the latest runs) can no longer be
// taken back: Undo says so and takes its step off the history, so the steps under it can
// still be undone; its files stay where the run put them.
TEST_F(JournalTest, ARunWhoseJournalIsGoneLeavesTheHistory) {
    AddFiles({"a.txt"});
    session.TakeSnapshot();
    Rename({"keep"});
    session.CommitSnapshot(kUndoEdit);
    Rename({"x"});
    SRunOutcome ran = Go(session);
    ASSERT_EQ(ran.nDone, 1u);
    std::filesystem::remove(JournalFolder() + "/" + ran.strJournal);
    EXPECT_EQ(Undo(session).end, ERunEnd::NothingToUndo);
    EXPECT_EQ(session.UndoHistory().TopKind(), kUndoEdit);
    ExpectMoved("a.txt", "x.txt");
}

}  // namespace
