// SPDX-License-Identifier: GPL-3.0-or-later
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "cli/CliFixture.h"
#include "files/ListKey.h"

namespace {

class GoTest : public CliTest {
protected:
    // Files in music/ (each holding its own name) whose rows are to get the new names.
    void MakeFiles(const std::vector<std::string>& names,
                   const std::vector<std::string>& newNames) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(dir.WriteFile("music/" + name, name));
        WriteList(paths, newNames);
    }
    // n files f0.txt... to be renamed g0...; returns the names, sorted.
    std::vector<std::string> MakeNumbered(int count) {
        std::vector<std::string> names, newNames;
        for (int i = 0; i < count; ++i) {
            names.push_back("f" + std::to_string(i) + ".txt");
            newNames.push_back("g" + std::to_string(i));
        }
        MakeFiles(names, newNames);
        std::sort(names.begin(), names.end());
        return names;
    }
    size_t CountRenamed() {
        std::vector<std::string> now = FolderNames(Folder());
        return std::count_if(now.begin(), now.end(), [](const auto& n) { return n[0] == 'g'; });
    }
    // Starts the test build, to be stopped by the given signal after n renames.
    pid_t StartStoppable(const std::vector<std::string>& args, int signal, int n) {
        return Start(args,
                     {{"TESSEL_CLI_TEST_HALT", std::to_string(signal) + " " + std::to_string(n)}},
                     TESSEL_CLI_STOPPABLE);
    }
    std::string Folder() const { return dir / "music"; }
    std::string JournalFolder() const { return state / "xdg/tessel"; }
    // The journals in the state folder (list locks lie beside them).
    std::vector<std::string> JournalFiles() {
        std::vector<std::string> journals;
        if (PathExists(JournalFolder()))
            for (const std::string& name : FolderNames(JournalFolder()))
                if (name.ends_with(".journal"))
                    journals.push_back(JournalFolder() + "/" + name);
        return journals;
    }
};

// A preview with a problem blocks the run with status two and names the blocking rows on
// stderr; without --yes nothing runs (status three), nor with an invalid extension; nor
// does a dry run write the list.
TEST_F(GoTest, PrintsThePreviewRenamesAndSavesTheNewNames) {
    MakeFiles({"a.txt", "b.txt", "c.txt"}, {"x", "x", "y/z"});
    SCliRun blocked = Expect(kExitBlocked, {"go", List(), "--yes"});
    EXPECT_EQ(blocked.strErr, "tessel-cli: " + List() +
                                  ": nothing renamed: 2 rows block the run\n"
                                  "tessel-cli: " +
                                  Folder() +
                                  "/b.txt: File already exists\n"
                                  "tessel-cli: " +
                                  Folder() + "/c.txt: Illegal character\n");
    EXPECT_EQ(blocked.strOut,
              "a.txt\tx.txt\tOK\nb.txt\tx.txt\tFile already exists\n"
              "c.txt\ty/z.txt\tIllegal character\n");
    EXPECT_TRUE(JournalFiles().empty());
    MakeFiles({"a.txt", "b.txt", "c.txt"}, {"one", "b", "Artist: Title"});
    std::string before = ReadFileBytes(List());
    Expect(0, {"go", List(), "--dry-run", "--ext", ".md"});
    Expect(kExitDeclined, {"go", List()}, "--yes");
    Expect(1, {"go", List(), "--yes", "--ext", "txt"}, "Cannot rename to this invalid extension");
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("a.txt", "b.txt", "c.txt"));
    EXPECT_EQ(ReadFileBytes(List()), before);

    SCliRun run = Expect(0, {"go", List(), "--yes"});
    EXPECT_EQ(run.strOut,
              "a.txt\tone.txt\tOK\nb.txt\tb.txt\tUnchanged\nc.txt\tArtist: Title.txt\tOK\n");
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("Artist: Title.txt", "b.txt", "one.txt"));
    EXPECT_EQ(ReadFileBytes(Folder() + "/one.txt"), "a.txt");
    EXPECT_THAT(
        Column(Run({"show", List()}).strOut, 5),
        ElementsAre(Folder() + "/one.txt", Folder() + "/b.txt", Folder() + "/Artist: Title.txt"));
    EXPECT_EQ(JournalFiles().size(), 1u);
}

// The same file twice, through its folder and through a link to the folder: the preview
// passes both, the second rename finds the file gone and the run stops there. Undo puts
// back the rows' paths as well as the files.
TEST_F(GoTest, AFailedRenameGivesStatusOneAndStopsTheRun) {
    std::string real = dir.WriteFile("real/a.txt", "a");
    std::string other = dir.WriteFile("real/z.txt", "z");
    std::filesystem::create_directory_symlink(dir / "real", dir / "link");
    WriteList({real, dir / "link/a.txt", other}, {"b", "c", "y"});
    std::string shownBefore = Run({"show", List()}).strOut;
    SCliRun stop = Expect(1, {"go", List(), "--yes"});
    // The fixed text stays; the system's reason follows it.
    EXPECT_EQ(Lines(stop.strErr).at(0), "tessel-cli: " + (dir / "link/a.txt") +
                                            ": Unexpected error.  Please refer to help (No "
                                            "such file or directory)");
    EXPECT_THAT(FolderNames(dir / "real"), ElementsAre("b.txt", "z.txt"));
    EXPECT_EQ(Expect(0, {"undo", List()}).strOut, "1 file put back\n");
    EXPECT_THAT(FolderNames(dir / "real"), ElementsAre("a.txt", "z.txt"));
    EXPECT_EQ(Run({"show", List()}).strOut, shownBefore);
    Expect(1, {"undo", List()}, "no run to undo");
}

// Killed with 280 of 300 renames made (past the first batch the journal was told of), the
// list file was never written. An undo killed halfway put some files back already: the
// next undo recognises them and the files still where they were (a newcomer at a name
// never taken is not one of them), says the run was interrupted and puts back the rest.
TEST_F(GoTest, ARunAndItsUndoKilledHalfwayAreUndoneCompletely) {
    std::vector<std::string> names = MakeNumbered(300);
    std::string listBefore = ReadFileBytes(List());
    ASSERT_EQ(Finish(StartStoppable({"go", List(), "--yes"}, SIGKILL, 280)).nSignal, SIGKILL);
    EXPECT_EQ(std::tuple(CountRenamed(), ReadFileBytes(List())), std::tuple(280u, listBefore));
    // A record torn by the kill (here: its start only) ends the journal.
    ASSERT_EQ(JournalFiles().size(), 1u);
    std::ofstream(JournalFiles()[0], std::ios::app) << "R\x30\0\0";
    dir.WriteFile("music/g290.txt", "newcomer");
    names.push_back("g290.txt");
    std::sort(names.begin(), names.end());
    ASSERT_EQ(Finish(StartStoppable({"undo", List()}, SIGKILL, 170)).nSignal, SIGKILL);
    EXPECT_THAT(Run({"history", List()}).strOut, HasSubstr("\tinterrupted\n"));
    Expect(0, {"undo", List()}, "interrupted");
    EXPECT_EQ(FolderNames(Folder()), names);
    EXPECT_EQ(ReadFileBytes(Folder() + "/g290.txt"), "newcomer");
    EXPECT_EQ(ReadFileBytes(List()), listBefore);
    EXPECT_THAT(Column(Run({"history", List()}).strOut, 2), ElementsAre("undone"));
}

// Each list has its own journals, whatever path names it; another list's journal put in
// place of one of this list's is not taken for it.
TEST_F(GoTest, EachListHasItsOwnJournalsAndUndoRefusesAnotherOnes) {
    MakeFiles({"a.txt"}, {"x"});
    WriteList({dir.WriteFile("other/b.txt", "b")}, {"y"}, dir / "other.tsl");
    Expect(0, {"go", "list.tsl", "--yes"});
    Expect(0, {"go", dir / "other.tsl", "--yes"});
    ASSERT_EQ(JournalFiles().size(), 2u);
    Expect(0, {"undo", dir / "music/../list.tsl"});
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("a.txt"));
    EXPECT_THAT(FolderNames(dir / "other"), ElementsAre("y.txt"));

    std::string otherKey = ListKey(CanonicalListPath(dir / "other.tsl"));
    std::vector<std::string> journals = JournalFiles();
    bool firstIsOurs = journals[0].find(otherKey) == std::string::npos;
    std::filesystem::copy_file(journals[firstIsOurs ? 1 : 0], journals[firstIsOurs ? 0 : 1],
                               std::filesystem::copy_options::overwrite_existing);
    Expect(1, {"undo", List()}, "no run to undo");
    EXPECT_THAT(FolderNames(dir / "other"), ElementsAre("y.txt"));
}

// A run on a list whose file changed since (rows added, the list replaced by another one)
// is still put back whole: undo follows the run's own records.
TEST_F(GoTest, UndoPutsBackARunWhateverTheListBecameSince) {
    MakeFiles({"a.txt"}, {"x"});
    Expect(0, {"go", List(), "--yes"});
    WriteList({dir.WriteFile("third/c.txt", "c")}, {"z"});
    Expect(0, {"undo", List()});
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("a.txt"));
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 5), ElementsAre(dir / "third/c.txt"));
}

// Go twice by mistake: the second run renames nothing and is no step, so undo still takes
// back the first. Two runs are taken back one undo at a time, latest first.
TEST_F(GoTest, UndoGoesBackRunByRunAndARunOfNothingIsNone) {
    MakeFiles({"a.txt", "b.txt"}, {"first-a", "first-b"});
    Expect(0, {"go", List(), "--yes"});
    SCliRun again = Expect(0, {"go", List(), "--yes"});
    EXPECT_EQ(again.strOut,
              "first-a.txt\tfirst-a.txt\tUnchanged\nfirst-b.txt\tfirst-b.txt\tUnchanged\n");
    Expect(0, {"rename", List(), "1", "second-a"});
    Expect(0, {"go", List(), "--yes"});
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("first-b.txt", "second-a.txt"));
    EXPECT_EQ(Lines(Run({"history", List()}).strOut).size(), 2u);

    Expect(0, {"undo", List()});
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("first-a.txt", "first-b.txt"));
    Expect(0, {"undo", List()});
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("a.txt", "b.txt"));
    Expect(1, {"undo", List()}, "no run to undo");
    EXPECT_THAT(Column(Run({"history", List()}).strOut, 2), ElementsAre("undone", "undone"));
}

// A file whose old name was taken meanwhile is never overwritten: it is reported, and its
// rename stays for the next undo, with the runs before it.
TEST_F(GoTest, ARenameThatCannotGoBackStaysForTheNextUndo) {
    MakeFiles({"a.txt"}, {"first"});
    Expect(0, {"go", List(), "--yes"});
    MakeFiles({"b.txt", "c.txt"}, {"x", "y"});
    Expect(0, {"go", List(), "--yes"});
    dir.WriteFile("music/b.txt", "newcomer");
    Expect(1, {"undo", List()}, Folder() + "/b.txt: File already exists");
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("b.txt", "c.txt", "first.txt", "x.txt"));
    std::filesystem::remove(Folder() + "/b.txt");
    Expect(0, {"undo", List()});
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("b.txt", "c.txt", "first.txt"));
    Expect(0, {"undo", List()});
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("a.txt", "b.txt", "c.txt"));
}

// An undo whose list cannot be saved puts the files back and says so; its journal keeps the
// run, so that the next undo, once the list can be written, brings the list up to date.
TEST_F(GoTest, AnUndoWhoseListCannotBeSavedIsCaughtUpByTheNext) {
    MakeFiles({"a.txt"}, {"x"});
    Expect(0, {"go", List(), "--yes"});
    chmod(List().c_str(), 0444);
    Expect(1, {"undo", List()}, "the list could not be saved");
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("a.txt"));
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 5), ElementsAre(Folder() + "/x.txt"));
    chmod(List().c_str(), 0644);
    Expect(0, {"undo", List()});
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 5), ElementsAre(Folder() + "/a.txt"));
    Expect(1, {"undo", List()}, "no run to undo");
}

// A journal that cannot be written, or a folder others may change (it could hold a
// journal made to move the user's files): no run starts and nothing is renamed, while the
// list itself can still be edited.
TEST_F(GoTest, NoFileIsRenamedWhenTheJournalIsRefused) {
    MakeFiles({"a.txt"}, {"x"});
    std::string before = ReadFileBytes(List());
    std::string notAFolder = state.WriteFile("plain-file", "");
    Expect(1, {"go", List(), "--yes"}, notAFolder, {{"XDG_STATE_HOME", notAFolder}});
    // An edit of the list needs no journal: it still works.
    Expect(0, {"rename", List(), "1", "edited"}, "", {{"XDG_STATE_HOME", notAFolder}});
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 0), ElementsAre("edited"));
    before = ReadFileBytes(List());
    std::filesystem::create_directories(JournalFolder());
    chmod(JournalFolder().c_str(), 0777);
    Expect(1, {"go", List(), "--yes"}, JournalFolder());
    EXPECT_TRUE(FolderNames(JournalFolder()).empty());
    EXPECT_THAT(FolderNames(Folder()), ElementsAre("a.txt"));
    EXPECT_EQ(ReadFileBytes(List()), before);
}

// Two runs at once on one list, the second through a symbolic link to it: the second waits
// a moment for the first, then refuses and changes nothing; the first run's journal stays,
// so undo takes back all of it.
TEST_F(GoTest, ASecondRunOnTheSameListRefusesAndLeavesTheFirstUndoable) {
    std::vector<std::string> names = MakeNumbered(5);
    std::filesystem::create_symlink(List(), dir / "link.tsl");
    pid_t first = StartStoppable({"go", List(), "--yes"}, SIGSTOP, 2);
    int status = 0;
    ASSERT_TRUE(waitpid(first, &status, WUNTRACED) == first && WIFSTOPPED(status));
    auto started = std::chrono::steady_clock::now();
    SCliRun second = Expect(1, {"go", dir / "link.tsl", "--yes"}, "link.tsl: ");
    std::chrono::duration<double> waited = std::chrono::steady_clock::now() - started;
    EXPECT_THAT(second.strErr, HasSubstr("in use"));
    EXPECT_EQ(second.strOut, "");
    EXPECT_GE(waited.count(), 1.5);
    kill(first, SIGCONT);
    EXPECT_EQ(Finish(first).nStatus, 0);
    EXPECT_EQ(CountRenamed(), 5u);
    Expect(0, {"undo", List()});
    EXPECT_EQ(FolderNames(Folder()), names);
}

}  // namespace

namespace {

// A list whose rows trade names: a and b swap, c, d and e turn. Its run takes five steps.
class CycleTest : public GoTest {
protected:
    static constexpr int kSteps = 5;
    void MakeCycles() {
        MakeFiles({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}, {"b", "a", "d", "e", "c"});
    }
    // Undo after a killed run: a run killed before its first rename left nothing to undo.
    void UndoKilledRun() {
        SCliRun undo = Run({"undo", List()});
        EXPECT_TRUE(undo.nStatus == 0 || undo.strErr.find("no run to undo") != std::string::npos)
            << undo.strErr;
    }
    // Every file under the name it had, holding its own name, and no other name.
    void ExpectPutBack(const std::vector<std::string>& names) {
        ASSERT_EQ(FolderNames(Folder()), names);
        for (const std::string& name : names)
            ASSERT_EQ(ReadFileBytes(Folder() + "/" + name), name) << name;
    }
};

// The preview and the results of a run with cycles read OK row for row; the list keeps
// its order and names the files where they went.
TEST_F(CycleTest, FilesTradingNamesGoThroughInListOrder) {
    MakeCycles();
    SCliRun run = Expect(0, {"go", List(), "--yes"});
    EXPECT_EQ(run.strOut,
              "a.txt\tb.txt\tOK (swaps names)\nb.txt\ta.txt\tOK (swaps names)\n"
              "c.txt\td.txt\tOK (through a temporary name)\nd.txt\te.txt\tOK\ne.txt\tc.txt\tOK\n");
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 5),
                ElementsAre(Folder() + "/b.txt", Folder() + "/a.txt", Folder() + "/d.txt",
                            Folder() + "/e.txt", Folder() + "/c.txt"));
    for (auto [was, now] : {std::pair{"a", "b"}, {"b", "a"}, {"c", "d"}, {"d", "e"}, {"e", "c"}})
        EXPECT_EQ(ReadFileBytes(Folder() + "/" + now + ".txt"), std::string(was) + ".txt");
    Expect(0, {"undo", List()});
    ExpectPutBack({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
}

// Killed before each step of an exchange and of a turn through a temporary name, the run
// is put back whole by undo, the file waiting under its temporary name too.
TEST_F(CycleTest, ARunKilledAtAnyStepOfItsCyclesIsUndoneWhole) {
    for (int step = 0; step < kSteps; ++step) {
        MakeCycles();
        ASSERT_EQ(Finish(StartStoppable({"go", List(), "--yes"}, SIGKILL, step)).nSignal, SIGKILL);
        UndoKilledRun();
        ExpectPutBack({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
    }
}

// 2,000 files that each take the next one's name, one cycle: killed at random moments,
// by the hook or from outside, each run is put back whole by undo.
TEST_F(CycleTest, ARotationKilledAtRandomMomentsIsUndoneWhole) {
    constexpr int kFiles = 2000;
    std::vector<std::string> names, newNames;
    for (int i = 0; i < kFiles; ++i) {
        names.push_back("r" + std::to_string(10000 + i) + ".txt");
        newNames.push_back("r" + std::to_string(10000 + (i + 1) % kFiles));
    }
    std::random_device seeds;
    unsigned seed = seeds();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 6; ++round) {
        MakeFiles(names, newNames);
        if (round % 2 == 0) {
            int renames = std::uniform_int_distribution<int>(0, kFiles)(random);
            ASSERT_EQ(Finish(StartStoppable({"go", List(), "--yes"}, SIGKILL, renames)).nSignal,
                      SIGKILL);
        } else {
            pid_t child = Start({"go", List(), "--yes"});
            std::this_thread::sleep_for(
                std::chrono::microseconds(std::uniform_int_distribution<int>(0, 60000)(random)));
            kill(child, SIGKILL);
            Finish(child);
        }
        UndoKilledRun();
        ExpectPutBack(names);
    }
}

}  // namespace
