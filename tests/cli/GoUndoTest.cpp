#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "cli/CliFixture.h"

namespace {

class GoTest : public CliTest {
protected:
    // A folder of files a.txt, b.txt, ... whose rows are to be renamed to the new names.
    void MakeFiles(const std::vector<std::string>& names,
                   const std::vector<std::string>& newNames) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(dir.WriteFile("music/" + name, name));
        WriteList(paths, newNames);
    }
    std::string Folder() const { return dir / "music"; }
    // The journals in the state folder (list locks lie beside them).
    std::vector<std::string> JournalFiles() {
        std::string folder = state / "xdg/tessel";
        std::vector<std::string> journals;
        if (!PathExists(folder))
            return journals;
        for (const std::string& name : Names(folder))
            if (name.ends_with(".journal"))
                journals.push_back(name);
        return journals;
    }
};

TEST_F(GoTest, RenamesEveryFilePrintsThePreviewAndSavesTheNewNames) {
    MakeFiles({"a.txt", "b.txt"}, {"one", "two"});
    SCliRun run = Run({"go", List(), "--yes"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "a.txt\tone.txt\tOK\nb.txt\ttwo.txt\tOK\n");
    EXPECT_THAT(Names(Folder()), ElementsAre("one.txt", "two.txt"));
    EXPECT_EQ(ReadFileBytes(Folder() + "/one.txt"), "a.txt");
    SCliRun show = Run({"show", List()});
    EXPECT_THAT(Column(show.strOut, 1), ElementsAre("one", "two"));
    EXPECT_THAT(Column(show.strOut, 5), ElementsAre(Folder() + "/one.txt", Folder() + "/two.txt"));
    EXPECT_EQ(JournalFiles().size(), 1u);
}

TEST_F(GoTest, APreviewWithAProblemBlocksTheRunWithStatusTwo) {
    MakeFiles({"a.txt", "b.txt", "c.txt"}, {"x", "x", "y/z"});
    std::string before = ReadFileBytes(List());
    SCliRun run = Run({"go", List(), "--yes"});
    EXPECT_EQ(run.nStatus, 2);
    EXPECT_EQ(run.strOut,
              "a.txt\tx.txt\tOK\nb.txt\tx.txt\tFile already exists\n"
              "c.txt\ty/z.txt\tIllegal character\n");
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt", "b.txt", "c.txt"));
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_TRUE(JournalFiles().empty());
}

TEST_F(GoTest, AnUnchangedRowIsLeftAloneAndTheRunSucceeds) {
    MakeFiles({"a.txt", "b.txt"}, {"a", "Artist: Title"});
    SCliRun run = Run({"go", List(), "--yes"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "a.txt\ta.txt\tUnchanged\nb.txt\tArtist: Title.txt\tOK\n");
    EXPECT_THAT(Names(Folder()), ElementsAre("Artist: Title.txt", "a.txt"));
}

TEST_F(GoTest, DryRunAndAnUnconfirmedRunRenameNothing) {
    MakeFiles({"a.txt"}, {"b"});
    std::string before = ReadFileBytes(List());
    SCliRun dry = Run({"go", List(), "--dry-run", "--ext", ".md"});
    EXPECT_EQ(dry.nStatus, 0) << dry.strErr;
    EXPECT_EQ(dry.strOut, "a.txt\tb.md\tOK\n");
    SCliRun unconfirmed = Run({"go", List()}, "y\n");
    EXPECT_EQ(unconfirmed.nStatus, 1);
    EXPECT_THAT(unconfirmed.strErr, HasSubstr("--yes"));
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt"));
    EXPECT_EQ(ReadFileBytes(List()), before);
}

TEST_F(GoTest, ExtensionOptionGivesEveryFileOneExtensionOrNone) {
    MakeFiles({"a.txt", "b.dat"}, {"a", "b"});
    EXPECT_EQ(Run({"go", List(), "--yes", "--ext", ".md"}).nStatus, 0);
    EXPECT_THAT(Names(Folder()), ElementsAre("a.md", "b.md"));
    EXPECT_EQ(Run({"go", List(), "--yes", "--ext", ""}).nStatus, 0);
    EXPECT_THAT(Names(Folder()), ElementsAre("a", "b"));
    SCliRun invalid = Run({"go", List(), "--yes", "--ext", "txt"});
    EXPECT_EQ(invalid.nStatus, 1);
    EXPECT_THAT(invalid.strErr, HasSubstr("Cannot rename to this invalid extension"));
}

TEST_F(GoTest, AFailedRenameGivesStatusOneAndStopsOrContinuesAsAsked) {
    // The same file twice, through its folder and through a link to the folder: the
    // preview passes both, and the second rename finds the file gone.
    std::string real = dir.WriteFile("real/a.txt", "a");
    std::string other = dir.WriteFile("real/z.txt", "z");
    std::filesystem::create_directory_symlink(dir / "real", dir / "link");
    WriteList({real, dir / "link/a.txt", other}, {"b", "c", "y"});
    SCliRun stop = Run({"go", List(), "--yes"});
    EXPECT_EQ(stop.nStatus, 1);
    EXPECT_THAT(stop.strErr, HasSubstr(dir / "link/a.txt"));
    EXPECT_THAT(Names(dir / "real"), ElementsAre("b.txt", "z.txt"));

    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    SCliRun carryOn = Run({"go", List(), "--yes", "--on-error", "continue"});
    EXPECT_EQ(carryOn.nStatus, 1);
    EXPECT_THAT(Names(dir / "real"), ElementsAre("b.txt", "y.txt"));
    // The failed rename in the middle left no record to undo.
    undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    EXPECT_THAT(Names(dir / "real"), ElementsAre("a.txt", "z.txt"));
}

TEST_F(GoTest, UndoPutsEveryFileBackAndTheListWithIt) {
    // A chain: c leaves its name before a takes it, so undo must go backwards.
    MakeFiles({"c.txt", "a.txt", "b.txt"}, {"e", "c", "d"});
    std::string shownBefore = Run({"show", List()}).strOut;
    ASSERT_EQ(Run({"go", List(), "--yes"}).nStatus, 0);
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt", "b.txt", "c.txt"));
    EXPECT_EQ(ReadFileBytes(Folder() + "/c.txt"), "c.txt");
    EXPECT_EQ(Run({"show", List()}).strOut, shownBefore);
    SCliRun again = Run({"undo", List()});
    EXPECT_EQ(again.nStatus, 1);
    EXPECT_THAT(again.strErr, HasSubstr("no run to undo"));
}

TEST_F(GoTest, UndoNeverOverwritesAFileThatTookAnOldName) {
    MakeFiles({"a.txt", "b.txt"}, {"x", "y"});
    ASSERT_EQ(Run({"go", List(), "--yes"}).nStatus, 0);
    dir.WriteFile("music/a.txt", "newcomer");
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 1);
    EXPECT_EQ(undo.strErr, "tessel-cli: " + Folder() + "/a.txt: File already exists\n");
    EXPECT_EQ(ReadFileBytes(Folder() + "/a.txt"), "newcomer");
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt", "b.txt", "x.txt"));
    // Once the name is free again, the rest comes back.
    std::filesystem::remove(Folder() + "/a.txt");
    EXPECT_EQ(Run({"undo", List()}).nStatus, 0);
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt", "b.txt"));
    EXPECT_EQ(ReadFileBytes(Folder() + "/a.txt"), "a.txt");
}

TEST_F(GoTest, ARunKilledHalfwayIsUndoneCompletely) {
    std::vector<std::string> names, newNames;
    for (int i = 0; i < 40; ++i) {
        names.push_back("file" + std::to_string(i) + ".dat");
        newNames.push_back("renamed" + std::to_string(i));
    }
    MakeFiles(names, newNames);
    std::string listBefore = ReadFileBytes(List());
    SCliRun killed = Run({"go", List(), "--yes"}, "", {{"TESSEL_CLI_TEST_KILL_AFTER", "17"}},
                         TESSEL_CLI_STOPPABLE);
    ASSERT_EQ(killed.nSignal, SIGKILL);
    std::vector<std::string> now = Names(Folder());
    EXPECT_EQ(std::count_if(now.begin(), now.end(),
                            [](const std::string& n) { return n.rfind("renamed", 0) == 0; }),
              17);
    EXPECT_EQ(ReadFileBytes(List()), listBefore);
    // A record torn by the kill (here: its start only) ends the journal.
    ASSERT_EQ(JournalFiles().size(), 1u);
    std::ofstream(state / ("xdg/tessel/" + JournalFiles()[0]), std::ios::app) << "R\x30\0\0";
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(Names(Folder()), names);
    EXPECT_EQ(ReadFileBytes(List()), listBefore);
}

// Killed with the 18th rename on record but not yet made: the record of a rename that
// never happened is recognised, and the other 17 come back without an error.
TEST_F(GoTest, ARunKilledBetweenRecordAndRenameIsUndoneCompletely) {
    std::vector<std::string> names, newNames;
    for (int i = 0; i < 40; ++i) {
        names.push_back("file" + std::to_string(i) + ".dat");
        newNames.push_back("renamed" + std::to_string(i));
    }
    MakeFiles(names, newNames);
    SCliRun killed = Run({"go", List(), "--yes"}, "", {{"TESSEL_CLI_TEST_KILL_AT_RECORD", "18"}},
                         TESSEL_CLI_STOPPABLE);
    ASSERT_EQ(killed.nSignal, SIGKILL);
    std::vector<std::string> now = Names(Folder());
    EXPECT_EQ(std::count_if(now.begin(), now.end(),
                            [](const std::string& n) { return n.rfind("renamed", 0) == 0; }),
              17);
    SCliRun undo = Run({"undo", List()});
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    EXPECT_EQ(undo.strErr, "");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(Names(Folder()), names);
    EXPECT_TRUE(JournalFiles().empty());
}

TEST_F(GoTest, EachListHasItsOwnJournalWhateverPathNamesIt) {
    MakeFiles({"a.txt"}, {"x"});
    std::string b = dir.WriteFile("other/b.txt", "b");
    WriteList({b}, {"y"}, dir / "other.tsl");
    ASSERT_EQ(Run({"go", "list.tsl", "--yes"}).nStatus, 0);
    ASSERT_EQ(Run({"go", dir / "other.tsl", "--yes"}).nStatus, 0);
    EXPECT_EQ(JournalFiles().size(), 2u);
    EXPECT_EQ(Run({"undo", dir / "music/../list.tsl"}).nStatus, 0);
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt"));
    EXPECT_THAT(Names(dir / "other"), ElementsAre("y.txt"));
    EXPECT_EQ(Run({"undo", "./other.tsl"}).nStatus, 0);
    EXPECT_THAT(Names(dir / "other"), ElementsAre("b.txt"));
    EXPECT_TRUE(JournalFiles().empty());
}

TEST_F(GoTest, NoFileIsRenamedWhenTheJournalCannotBeWritten) {
    MakeFiles({"a.txt"}, {"x"});
    std::string before = ReadFileBytes(List());
    std::string notAFolder = state.WriteFile("plain-file", "");
    SCliRun run = Run({"go", List(), "--yes"}, "", {{"XDG_STATE_HOME", notAFolder}});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_THAT(run.strErr, HasSubstr(notAFolder));
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt"));
    EXPECT_EQ(ReadFileBytes(List()), before);
}

// Without a usable XDG_STATE_HOME or HOME the journal goes to the user's home folder as
// the system records it, never to a folder at the root of the file system.
TEST_F(GoTest, WithoutAUsableHomeTheJournalStaysOutOfTheRootFolder) {
    const std::string rootState = "/.local/state/tessel";
    std::vector<std::string> before =
        PathExists(rootState) ? Names(rootState) : std::vector<std::string>();
    MakeFiles({"a.txt"}, {"x"});
    std::map<std::string, std::string> noHome = {{"XDG_STATE_HOME", "state"}, {"HOME", "home"}};
    SCliRun run = Run({"go", List(), "--yes"}, "", noHome);
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(PathExists(rootState) ? Names(rootState) : std::vector<std::string>(), before);
    SCliRun undo = Run({"undo", List()}, "", noHome);  // takes its journal away again
    EXPECT_EQ(undo.nStatus, 0) << undo.strErr;
    EXPECT_THAT(Names(Folder()), ElementsAre("a.txt"));
}

TEST_F(GoTest, AnEmptyListRunsAndRenamesNothing) {
    SCliRun run = Run({"go", List(), "--yes"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "");
    EXPECT_FALSE(PathExists(List()));
}

}  // namespace
