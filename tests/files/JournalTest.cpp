#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>

#include <filesystem>

#include "files/GoSupport.h"
#include "files/JournalFolder.h"
#include "files/JournalUndo.h"
#include "files/RunJournal.h"
#include "support/OtherUser.h"

namespace {

using ::testing::HasSubstr;

class JournalTest : public GoTest {
protected:
    std::string FolderPath() const { return dir / "state/tessel"; }
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
    SJournalContents Contents() {
        SJournalContents read;
        std::string error;
        EXPECT_TRUE(journal.Read(read, error)) << error;
        return read;
    }

    CJournalFolder folder;
    CRunJournal journal{folder, ListPath()};
};

// Every way a kill can cut the bytes short: the records before the cut are read, and a
// cut anywhere in the last record or in the finishing mark leaves the run unfinished.
TEST_F(JournalTest, ATornEndEndsTheJournal) {
    SJournalContents contents{{{0, "/m/a", "/m/x", 1, 2}, {1, "/m/b", "/m/y", 1, 3}}, true};
    std::string bytes = JournalBytes(ListPath(), contents);
    std::string one;
    AppendRenameRecord(one, contents.renames[0]);
    size_t firstEnd = JournalHeader(ListPath()).size() + one.size();
    SJournalContents read;
    for (size_t cut = firstEnd; cut < bytes.size(); ++cut) {
        ASSERT_TRUE(ParseJournal(bytes.substr(0, cut), ListPath(), read));
        EXPECT_FALSE(read.bFinished) << cut;
        ASSERT_GE(read.renames.size(), 1u) << cut;
        EXPECT_EQ(read.renames[0].strTo, "/m/x");
    }
    bytes[firstEnd + 30] ^= 1;
    ASSERT_TRUE(ParseJournal(bytes, ListPath(), read));
    EXPECT_EQ(read.renames.size(), 1u);
    EXPECT_FALSE(read.bFinished);
}

// The journal being written is held open: a link swapped in for it meanwhile is neither
// written through nor read, and writing a new journal replaces the link, never its target.
TEST_F(JournalTest, ALinkSwappedInDuringARunIsNeverFollowed) {
    OpenFolder();
    std::string victim = dir.WriteFile("victim", "precious");
    ASSERT_TRUE(journal.RunStarting(2));
    std::filesystem::remove(journal.Path());
    std::filesystem::create_symlink(victim, journal.Path());
    EXPECT_TRUE(journal.RenameStarting(0, "/m/a", "/m/x"));
    journal.RunFinished();
    EXPECT_EQ(ReadFileBytes(victim), "precious");
    SJournalContents read;
    std::string error;
    EXPECT_FALSE(journal.Read(read, error));
    EXPECT_THAT(error, HasSubstr("link"));
    EXPECT_TRUE(journal.Replace({{{0, "/m/a", "/m/x"}}, true}, error)) << error;
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
// both are reported and kept for a later undo.
TEST_F(JournalTest, RenamesNeverMadeAreSkippedAndThoseThatCannotGoBackAreKept) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    prompts.m_onPreview = [this] { dir.WriteFile("y.txt", "newcomer"); };
    prompts.m_messageAnswers.push_back(EAnswer::Yes);
    OpenFolder();
    Rename({"x", "y", "z"});
    session.SetRunObserver(&journal);
    ASSERT_EQ(Go(session), EGoOutcome::Ran);
    session.SetRunObserver(nullptr);
    ASSERT_TRUE(journal.Error().empty()) << journal.Error();
    SJournalContents recorded = Contents();
    EXPECT_TRUE(recorded.bFinished);
    ASSERT_EQ(recorded.renames.size(), 2u);
    EXPECT_EQ(recorded.renames[1].nRow, 2u);
    EXPECT_EQ(recorded.renames[1].strFrom + " " + recorded.renames[1].strTo,
              dir / "c.txt " + dir / "z.txt");

    // Another list's journal under this one's name is not this list's.
    CRunJournal other(folder, dir / "other.tsl");
    std::filesystem::copy_file(journal.Path(), other.Path());
    SJournalContents read;
    std::string error;
    EXPECT_TRUE(!other.Read(read, error) && read.renames.empty());

    dir.WriteFile("c.txt", "newcomer");
    std::filesystem::remove(dir / "x.txt");
    std::vector<std::string> problems;
    for (const auto& problem : UndoRecordedRun(session, journal).problems)
        problems.push_back(problem.strPath + ": " + problem.strText);
    EXPECT_EQ(problems, (std::vector<std::string>{dir / "c.txt: File already exists",
                                                  dir / "x.txt: File not found"}));
    ExpectMoved("b.txt", "b.txt");
    EXPECT_EQ(ReadFileBytes(dir / "c.txt") + ReadFileBytes(dir / "y.txt"), "newcomernewcomer");
    SJournalContents left = Contents();
    ASSERT_EQ(left.renames.size(), 2u);
    EXPECT_EQ(left.renames[0].strTo + " " + left.renames[1].strTo, dir / "x.txt " + dir / "z.txt");
}

// A record with a path no run of the list makes (a name of "..") is refused with the whole
// journal: nothing is put back.
TEST_F(JournalTest, ARecordOfAPathNoRunMakesIsRefused) {
    AddFiles({"in/a.txt"});
    dir.MakeFolder("is");
    OpenFolder();
    // A run renames within a folder: a record that moves the file to another is forged.
    for (const std::string& from : {dir / "in/..", dir / "is/a.txt"}) {
        std::string error;
        ASSERT_TRUE(journal.Replace({{SRunRename{0, from, dir / "in/a.txt"}}, true}, error));
        EXPECT_THAT(UndoRecordedRun(session, journal).strRefusal, HasSubstr("never renamed"));
        ExpectMoved("in/a.txt", "in/a.txt");
    }
}

// Undo changes the row the run recorded, even when another row names the same file.
TEST_F(JournalTest, UndoChangesTheRowTheRunRecorded) {
    AddFiles({"a.txt", "b.txt"});
    OpenFolder();
    Rename({"a", "y"});
    session.SetRunObserver(&journal);
    ASSERT_EQ(Go(session), EGoOutcome::Ran);
    session.List().GetEntry(0).m_strPath.Set(dir / "y.txt");
    ASSERT_TRUE(UndoRecordedRun(session, journal).problems.empty());
    EXPECT_EQ(Column(5), (std::vector<std::string>{dir / "y.txt", dir / "b.txt"}));
}

}  // namespace
