#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "cli/CliFixture.h"

namespace {

class RunJournalTest : public CliTest {
protected:
    std::string Music() const { return dir / "music"; }
    std::string JournalFolder() const { return state / "xdg/tessel"; }
    // The one journal of the folder (lock files beside it are not journals).
    std::string Journal() {
        std::string found;
        for (const std::string& name : Names(JournalFolder()))
            if (name.size() > 8 && name.compare(name.size() - 8, 8, ".journal") == 0)
                found = JournalFolder() + "/" + name;
        return found;
    }
    // a.txt and b.txt in music/, renamed to x and y by a run of the list.
    void RunTwoRenames() {
        WriteList({dir.WriteFile("music/a.txt", "a"), dir.WriteFile("music/b.txt", "b")},
                  {"x", "y"});
        SCliRun go = Run({"go", List(), "--yes"});
        ASSERT_EQ(go.nStatus, 0) << go.strErr;
        ASSERT_FALSE(Journal().empty());
    }
};

// The last rename of a finished run is as much a rename as any other: a file that took
// its old name keeps it, and the rename is reported and kept for a later undo.
TEST_F(RunJournalTest, AFinishedRunsLastRenameIsReportedAndKeptWhenItCannotGoBack) {
    dir.WriteFile("d/a.txt", "old");
    ASSERT_EQ(Run({"add", "l.tsl", "d/a.txt"}).nStatus, 0);
    ASSERT_EQ(Run({"rename", "l.tsl", "1", "b"}).nStatus, 0);
    ASSERT_EQ(Run({"go", "l.tsl", "--yes"}).nStatus, 0);
    dir.WriteFile("d/a.txt", "new");
    SCliRun undo = Run({"undo", "l.tsl"});
    EXPECT_EQ(undo.nStatus, 1);
    EXPECT_THAT(undo.strErr, HasSubstr("File already exists"));
    EXPECT_EQ(ReadFileBytes(dir / "d/b.txt"), "old");
    EXPECT_EQ(ReadFileBytes(dir / "d/a.txt"), "new");
    std::filesystem::remove(dir / "d/a.txt");
    undo = Run({"undo", "l.tsl"});
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    EXPECT_THAT(Names(dir / "d"), ElementsAre("a.txt"));
    EXPECT_EQ(ReadFileBytes(dir / "d/a.txt"), "old");
}

TEST_F(RunJournalTest, TheShippedProgramHasNoTestHooks) {
    WriteList({dir.WriteFile("music/a.txt", "a")}, {"x"});
    SCliRun go =
        Run({"go", List(), "--yes"}, "",
            {{"TESSEL_CLI_TEST_KILL_AFTER", "0"}, {"TESSEL_CLI_TEST_KILL_AT_RECORD", "1"}});
    EXPECT_EQ(go.nSignal, 0);
    EXPECT_EQ(go.nStatus, 0) << go.strErr;
    EXPECT_THAT(Names(Music()), ElementsAre("x.txt"));
}

// A folder that others may write could hold a journal made to move the user's files: no
// run starts with it, and nothing is renamed.
TEST_F(RunJournalTest, AJournalFolderOthersMayChangeIsRefused) {
    WriteList({dir.WriteFile("music/a.txt", "a")}, {"x"});
    std::string before = ReadFileBytes(List());
    std::filesystem::create_directories(JournalFolder());
    chmod(JournalFolder().c_str(), 0777);
    SCliRun go = Run({"go", List(), "--yes"});
    EXPECT_EQ(go.nStatus, 1);
    EXPECT_THAT(go.strErr, HasSubstr(JournalFolder()));
    EXPECT_THAT(Names(Music()), ElementsAre("a.txt"));
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_TRUE(Names(JournalFolder()).empty());
}

// A journal reached through a link is not the list's journal, whatever it holds.
TEST_F(RunJournalTest, UndoNeverFollowsALinkInPlaceOfTheJournal) {
    RunTwoRenames();
    std::string journal = Journal();
    std::string elsewhere = dir / "elsewhere.journal";
    std::filesystem::rename(journal, elsewhere);
    std::filesystem::create_symlink(elsewhere, journal);
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 1);
    EXPECT_THAT(Names(Music()), ElementsAre("x.txt", "y.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(journal));
}

// The journal names files this list never renamed (the list was replaced by another one):
// undo refuses it whole and moves nothing.
TEST_F(RunJournalTest, AJournalThatDoesNotMatchTheListIsRefused) {
    RunTwoRenames();
    WriteList({dir.WriteFile("other/c.txt", "c")}, {"z"});
    std::string listBefore = ReadFileBytes(List());
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 1);
    EXPECT_THAT(undo.strErr, HasSubstr("never renamed"));
    EXPECT_THAT(Names(Music()), ElementsAre("x.txt", "y.txt"));
    EXPECT_EQ(ReadFileBytes(List()), listBefore);
    EXPECT_FALSE(Journal().empty());
}

// Two runs at once on one list: the second waits a moment for the first, then refuses and
// changes nothing; the first run's journal stays, so undo takes back all of it.
TEST_F(RunJournalTest, ASecondRunOnTheSameListRefusesAndLeavesTheFirstUndoable) {
    std::vector<std::string> paths;
    for (int i = 0; i < 5; ++i)
        paths.push_back(dir.WriteFile("music/f" + std::to_string(i) + ".txt", "f"));
    WriteList(paths, {"g0", "g1", "g2", "g3", "g4"});
    pid_t first = Start({"go", List(), "--yes"}, {{"TESSEL_CLI_TEST_STOP_AT_RECORD", "2"}},
                        TESSEL_CLI_STOPPABLE, "first");
    ASSERT_TRUE(WaitUntilStopped(first));
    auto started = std::chrono::steady_clock::now();
    SCliRun second = Run({"go", List(), "--yes"});
    double waited =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(second.nStatus, 1);
    EXPECT_THAT(second.strErr, HasSubstr(List()));
    EXPECT_THAT(second.strErr, HasSubstr("in use"));
    EXPECT_EQ(second.strOut, "");
    EXPECT_GE(waited, 1.5);
    kill(first, SIGCONT);
    SCliRun firstRun = Finish(first, "first");
    EXPECT_EQ(firstRun.nStatus, 0) << firstRun.strErr;
    EXPECT_THAT(Names(Music()), ElementsAre("g0.txt", "g1.txt", "g2.txt", "g3.txt", "g4.txt"));
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    EXPECT_THAT(Names(Music()), ElementsAre("f0.txt", "f1.txt", "f2.txt", "f3.txt", "f4.txt"));
}

// An undo killed halfway put some files back already: the next undo recognises them and
// puts back the rest, without a word.
TEST_F(RunJournalTest, UndoAfterAKilledUndoFinishesQuietly) {
    std::vector<std::string> paths, newNames;
    for (int i = 0; i < 300; ++i) {
        paths.push_back(dir.WriteFile("music/f" + std::to_string(i) + ".txt", "f"));
        newNames.push_back("g" + std::to_string(i));
    }
    WriteList(paths, newNames);
    ASSERT_EQ(Run({"go", List(), "--yes"}).nStatus, 0);
    SCliRun killed =
        Run({"undo", List()}, "", {{"TESSEL_CLI_TEST_KILL_AFTER", "170"}}, TESSEL_CLI_STOPPABLE);
    ASSERT_EQ(killed.nSignal, SIGKILL);
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 0);
    EXPECT_EQ(undo.strErr, "");
    std::vector<std::string> names = Names(Music());
    EXPECT_EQ(
        std::count_if(names.begin(), names.end(), [](const std::string& n) { return n[0] == 'f'; }),
        300);
    EXPECT_TRUE(Journal().empty());
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 5), ::testing::Each(HasSubstr("/f")));
}

}  // namespace
