#include <sys/stat.h>

#include "cli/CliFixture.h"

namespace {

TEST_F(CliTest, HelpListsEveryCommandAndEachCommandHasItsOwn) {
    SCliRun program = Run({"--help"});
    EXPECT_EQ(program.nStatus, 0);
    std::vector<std::string> commands;
    bool inList = false;
    for (const std::string& line : Lines(program.strOut)) {
        if (line == "commands:")
            inList = true;
        else if (line.empty())
            inList = false;
        else if (inList)
            commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    EXPECT_EQ(commands.size(), 17u);
    for (const std::string& command : commands) {
        SCliRun help = Run({command, "--help"});
        EXPECT_EQ(help.nStatus, 0) << command;
        EXPECT_THAT(help.strOut, HasSubstr("usage: tessel-cli " + command + " ")) << command;
    }
}

TEST_F(CliTest, UsageErrorsAreOneLineOnStderrAndStatusOne) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{},
                                                  {"frobnicate"},
                                                  {"show"},
                                                  {"show", "a", "b"},
                                                  {"show", "list.tsl", "--bogus"}}) {
        SCliRun run = Run(words);
        EXPECT_EQ(run.nStatus, 1) << words.size();
        EXPECT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        EXPECT_TRUE(run.strOut.empty());
    }
}

// The cells themselves are the list's own; here only how they are printed.
TEST_F(CliTest, ShowPrintsTheNormalColumnsOfEachRow) {
    SCliRun absent = Run({"show", List()});
    EXPECT_EQ(absent.nStatus, 0);
    EXPECT_EQ(absent.strOut, "");
    EXPECT_FALSE(PathExists(List()));  // reading never creates the list

    std::string file = dir.WriteFile("music/My Song.mp3", "12345");
    std::string other = dir.WriteFile("music/readme", "");
    WriteList({file, other});
    SCliRun run = Run({"show", List()}, "", {{"TZ", "UTC"}});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    ASSERT_EQ(Lines(run.strOut).size(), 2u);
    EXPECT_EQ(Lines(run.strOut)[1].substr(0, 17), "readme\treadme\t\t0\t");
    EXPECT_EQ(Column(run.strOut, 5), (std::vector<std::string>{file, other}));
}

TEST_F(CliTest, AListThatDoesNotLoadIsReportedByNameAndStatusOne) {
    std::string good = ReadFileBytes(std::string(TESSEL_TEST_DATA) + "/one_row.tsl");
    std::string folder = dir.MakeFolder("folder.tsl");
    std::pair<std::string, std::string> cases[] = {
        {dir.WriteFile("notalist.tsl", "hello, world"), "Unrecognized file type"},
        {dir.WriteFile("cut.tsl", good.substr(0, good.size() - 5)), "damaged"},
        {dir.WriteFile("empty.tsl", ""), "Unrecognized file type"},
        {folder, ": Is a directory"}};  // not an empty list
    for (const auto& [path, problem] : cases) {
        SCliRun run = Run({"show", path});
        EXPECT_EQ(run.nStatus, 1) << path;
        EXPECT_TRUE(run.strOut.empty()) << path;
        ASSERT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        EXPECT_THAT(run.strErr, HasSubstr(path));
        EXPECT_THAT(run.strErr, HasSubstr(problem));
    }
    EXPECT_EQ(Run({"show", folder}).strErr, "tessel-cli: " + folder + ": Is a directory\n");
}

class AddRemoveTest : public CliTest {
protected:
    std::vector<std::string> Paths() { return Column(Run({"show", List()}).strOut, 5); }
};

TEST_F(AddRemoveTest, AddAppendsFilesInOrderSkippingListedOnesAndReportingMissingOnes) {
    std::string b = dir.WriteFile("b.txt"), a = dir.WriteFile("a.txt");
    SCliRun first = Run({"add", List(), "b.txt", a});
    EXPECT_EQ(first.nStatus, 0) << first.strErr;
    EXPECT_THAT(Paths(), ElementsAre(b, a));
    std::string c = dir.WriteFile("c.txt");
    SCliRun second = Run({"add", List(), a, "ghost.txt", c, "./b.txt"});
    EXPECT_EQ(second.nStatus, 1);
    EXPECT_EQ(second.strErr, "tessel-cli: ghost.txt: No such file or directory\n");
    EXPECT_THAT(Paths(), ElementsAre(b, a, c));
}

TEST_F(AddRemoveTest, FoldersNeedRecursiveAndAreWalkedDepthFirstInByteOrder) {
    std::string top = dir.WriteFile("d/b.txt");
    std::string upper = dir.WriteFile("d/B.txt");
    std::string deep = dir.WriteFile("d/a/z.txt");
    std::string last = dir.WriteFile("d/c/y.txt");
    SCliRun flat = Run({"add", List(), "d"});
    EXPECT_EQ(flat.nStatus, 1);
    EXPECT_THAT(flat.strErr, HasSubstr("--recursive"));
    EXPECT_FALSE(PathExists(List()));
    SCliRun deepRun = Run({"add", List(), "d", "--recursive"});
    EXPECT_EQ(deepRun.nStatus, 0) << deepRun.strErr;
    EXPECT_THAT(Paths(), ElementsAre(upper, deep, top, last));
}

TEST_F(AddRemoveTest, RemoveTakesRowsByNumberLeavingTheFilesAndRefusesRowsNotThere) {
    std::string a = dir.WriteFile("a"), b = dir.WriteFile("b"), c = dir.WriteFile("c");
    WriteList({a, b, c});
    std::string before = ReadFileBytes(List());
    for (const char* row : {"0", "4", "x", "-1", "1.5"}) {
        SCliRun run = Run({"remove", List(), "1", row});
        EXPECT_EQ(run.nStatus, 1) << row;
        EXPECT_THAT(run.strErr, HasSubstr("no such row")) << row;
        EXPECT_EQ(ReadFileBytes(List()), before) << row;
    }
    SCliRun run = Run({"remove", List(), "3", "1"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_THAT(Paths(), ElementsAre(b));
    EXPECT_TRUE(PathExists(a) && PathExists(c));
}

TEST_F(AddRemoveTest, RenameIsAnEditOfOneRowsNewName) {
    std::string a = dir.WriteFile("a.txt"), b = dir.WriteFile("b.txt");
    WriteList({a, b});
    EXPECT_EQ(Run({"rename", List(), "2", "  new name "}).nStatus, 0);
    SCliRun shown = Run({"show", List()});
    EXPECT_THAT(Column(shown.strOut, 0), ElementsAre("a", "new name "));
    EXPECT_THAT(Column(shown.strOut, 2), ElementsAre(".txt", ".txt"));
    std::string before = ReadFileBytes(List());
    EXPECT_EQ(Run({"rename", List(), "1", "   "}).nStatus, 0);
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_EQ(Run({"rename", List(), "3", "x"}).nStatus, 1);
    EXPECT_EQ(ReadFileBytes(List()), before);
}

class ListCommandsTest : public CliTest {
protected:
    void SetUp() override {
        small = dir.WriteFile("f/b_small.txt", "1");
        large = dir.WriteFile("f/A large.dat", "1234567");
        middle = dir.WriteFile("f/c middle", "1234");
        WriteList({small, large, middle});
    }
    std::vector<std::string> Paths() { return Column(Run({"show", List()}).strOut, 5); }

    std::string small, large, middle;
};

TEST_F(ListCommandsTest, SortByATitleAscendingAndDescendingAndSavesTheOrder) {
    SCliRun bySize = Run({"sort", List(), "Size"});
    EXPECT_EQ(bySize.nStatus, 0) << bySize.strErr;
    EXPECT_THAT(Paths(), ElementsAre(small, middle, large));
    EXPECT_EQ(Run({"sort", List(), "in folder", "--descending"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(middle, small, large));
    EXPECT_EQ(Run({"sort", List(), "Current Filename"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(large, small, middle));
}

TEST_F(ListCommandsTest, SortThatChangesNothingLeavesTheFileUntouched) {
    ASSERT_EQ(Run({"sort", List(), "Type"}).nStatus, 0);
    std::string before = ReadFileBytes(List());
    struct stat st;
    ASSERT_EQ(stat(List().c_str(), &st), 0);
    ASSERT_EQ(Run({"sort", List(), "Type"}).nStatus, 0);
    struct stat after;
    ASSERT_EQ(stat(List().c_str(), &after), 0);
    EXPECT_EQ(ReadFileBytes(List()), before);
    EXPECT_EQ(st.st_ino, after.st_ino) << "the list was written again";
}

TEST_F(ListCommandsTest, ExportWritesEachNewFileNameOnALineOrNamesTheFileItCannotWrite) {
    std::string text = dir / "names.txt";
    SCliRun run = Run({"export", List(), text});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(ReadFileBytes(text), "b_small.txt\nA large.dat\nc middle\n");
    std::string nowhere = dir / "no/such/folder/names.txt";
    SCliRun failed = Run({"export", List(), nowhere});
    EXPECT_EQ(failed.nStatus, 1);
    EXPECT_EQ(failed.strErr, "tessel-cli: " + nowhere + ": Cannot write file: Access denied\n");
}

TEST_F(ListCommandsTest, AFailingCommandLeavesTheListByteIdentical) {
    std::string good = ReadFileBytes(List());
    SCliRun unknown = Run({"sort", List(), "Colour"});
    EXPECT_EQ(unknown.nStatus, 1);
    EXPECT_THAT(unknown.strErr, HasSubstr("Colour"));
    EXPECT_EQ(ReadFileBytes(List()), good);

    std::string damaged = good.substr(0, good.size() - 3);
    dir.WriteFile("list.tsl", damaged);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"sort", List(), "Size"}, {"export", List(), dir / "x.txt"}}) {
        SCliRun run = Run(words);
        EXPECT_EQ(run.nStatus, 1) << words[0];
        EXPECT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        EXPECT_EQ(ReadFileBytes(List()), damaged) << words[0];
    }
    EXPECT_FALSE(PathExists(dir / "x.txt"));
}

}  // namespace
