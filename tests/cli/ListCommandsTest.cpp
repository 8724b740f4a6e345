#include <sys/stat.h>

#include <filesystem>

#include "cli/CliFixture.h"

namespace {

TEST_F(CliTest, HelpListsEveryCommandAndEachCommandHasItsOwn) {
    SCliRun program = Run({"--help"});
    EXPECT_EQ(program.nStatus, 0);
    std::vector<std::string> lines = Lines(program.strOut);
    auto first = std::find(lines.begin(), lines.end(), "commands:");
    ASSERT_GE(lines.end() - first, 18);
    ++first;
    for (auto line = first; line != first + 17; ++line) {
        std::string command = line->substr(2, line->find(' ', 2) - 2);
        SCliRun help = Run({command, "--help"});
        EXPECT_EQ(help.nStatus, 0) << command;
        EXPECT_THAT(help.strOut, HasSubstr("usage: tessel-cli " + command + " ")) << command;
    }
    EXPECT_TRUE(first + 17 == lines.end() || first[17].empty());
}

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
    EXPECT_EQ(Lines(run.strOut)[0].substr(0, 23), "My Song\tMy Song\t.mp3\t5\t");
    EXPECT_EQ(Lines(run.strOut)[1].substr(0, 17), "readme\treadme\t\t0\t");
    EXPECT_EQ(Column(run.strOut, 5), (std::vector<std::string>{file, other}));
}

// A list that does not load is named with its problem, and no command writes over it.
TEST_F(CliTest, AListThatDoesNotLoadIsReportedAndNeverRewritten) {
    WriteList({dir.WriteFile("f/c.txt"), dir.WriteFile("f/a.txt"), dir.WriteFile("f/b.txt")});
    std::string whole = ReadFileBytes(List());
    std::string fewer = whole;
    fewer[14] = 1;  // the row count, lowered from 3 to 1
    std::string folder = dir.MakeFolder("folder.tsl");
    struct SCase {
        std::string bytes;  // written to the list first, unless empty
        std::vector<std::string> command;
        std::string problem;
    } cases[] = {
        {"hello, world", {"show", List()}, "Unrecognized file type"},
        {whole.substr(0, whole.size() - 5), {"show", List()}, "the list is damaged"},
        {fewer, {"sort", List(), "Current Filename"}, "the list is damaged"},
        {whole + "x", {"replace", List(), "nothing-matches-this", "y"}, "the list is damaged"},
        {whole + "x", {"go", List(), "--yes"}, "the list is damaged"},
        {whole + "x", {"export", List(), dir / "x.txt"}, "the list is damaged"},
        {"", {"show", folder}, "Is a directory"},  // not an empty list
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.command[0] + " " + c.problem);
        if (!c.bytes.empty())
            dir.WriteFile("list.tsl", c.bytes);
        SCliRun run = Run(c.command);
        EXPECT_EQ(run.nStatus, 1);
        EXPECT_EQ(run.strOut, "");
        EXPECT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        EXPECT_THAT(run.strErr, HasSubstr(c.command[1] + ": " + c.problem));
        if (!c.bytes.empty()) {
            EXPECT_EQ(ReadFileBytes(List()), c.bytes);
        }
    }
    EXPECT_THAT(Names(dir / "f"), ElementsAre("a.txt", "b.txt", "c.txt"));
    EXPECT_FALSE(PathExists(dir / "x.txt"));
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

// Folders are walked depth first in byte order. A link to a folder named on the command
// line is the folder; links met inside the walk are rows of their own, so a link that
// leads back up is never walked round and round.
TEST_F(ListCommandsTest, AddAppendsNewFilesInOrderAndWalksFoldersOnlyWhenAsked) {
    std::string e = dir.WriteFile("e.txt");
    SCliRun add = Run({"add", List(), "e.txt", "ghost.txt", "./f/b_small.txt"});
    EXPECT_EQ(add.nStatus, 1);
    EXPECT_EQ(add.strErr, "tessel-cli: ghost.txt: No such file or directory\n");
    EXPECT_THAT(Paths(), ElementsAre(small, large, middle, e));

    dir.WriteFile("d/b.txt");
    dir.WriteFile("d/B.txt");
    dir.WriteFile("d/a/z.txt");
    std::filesystem::create_directory_symlink(dir / "d", dir / "link");
    std::filesystem::create_directory_symlink("../link", dir / "d/cycle");
    std::string walkList = dir / "walk.tsl";
    SCliRun flat = Run({"add", walkList, "link"});
    EXPECT_EQ(flat.nStatus, 1);
    EXPECT_THAT(flat.strErr, HasSubstr("--recursive"));
    EXPECT_FALSE(PathExists(walkList));
    SCliRun walked = Run({"add", walkList, "link", "--recursive"});
    EXPECT_EQ(walked.nStatus, 0) << walked.strErr;
    EXPECT_THAT(Column(Run({"show", walkList}).strOut, 5),
                ElementsAre(dir / "link/B.txt", dir / "link/a/z.txt", dir / "link/b.txt",
                            dir / "link/cycle"));
}

TEST_F(ListCommandsTest, RowsAreTakenByNumberAndSortedByATitle) {
    EXPECT_EQ(Run({"rename", List(), "2", "  new name "}).nStatus, 0);
    EXPECT_EQ(Column(Run({"show", List()}).strOut, 0)[1], "new name ");
    EXPECT_EQ(Run({"sort", List(), "Size"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(small, middle, large));
    EXPECT_EQ(Run({"sort", List(), "in folder", "--descending"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(middle, small, large));
    EXPECT_EQ(Run({"sort", List(), "Current Filename"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(large, small, middle));
    // An unchanged order is not written again.
    struct stat before, after;
    ASSERT_EQ(stat(List().c_str(), &before), 0);
    ASSERT_EQ(Run({"sort", List(), "Current Filename"}).nStatus, 0);
    ASSERT_EQ(stat(List().c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "the list was written again";

    EXPECT_EQ(Run({"remove", List(), "3", "1"}).nStatus, 0);
    EXPECT_THAT(Paths(), ElementsAre(small));
    EXPECT_TRUE(PathExists(large) && PathExists(middle));
}

// Each text command reaches its operation with its options, on every row.
TEST_F(ListCommandsTest, TextCommandsTakeTheirSettingsFromTheOptions) {
    struct {
        std::vector<std::string> words;
        std::vector<std::string> names;
    } cases[] = {
        {{"rename", "1", "bSmall"}, {"bSmall", "A large", "c middle"}},
        {{"spaces"}, {"b Small", "A large", "c middle"}},
        {{"case", "toggle"}, {"B sMALL", "a LARGE", "C MIDDLE"}},
        {{"case", "sentence"}, {"B small", "A large", "C middle"}},
        {{"case", "upper"}, {"B SMALL", "A LARGE", "C MIDDLE"}},
        {{"case", "lower"}, {"b small", "a large", "c middle"}},
        {{"case", "title"}, {"B Small", "A Large", "C Middle"}},
        {{"replace", "M", "n", "--match-case"}, {"B Small", "A Large", "C niddle"}},
        {{"replace", "LARGE", "Big"}, {"B Small", "A Big", "C niddle"}},
        {{"swap", " "}, {"Small B", "Big A", "niddle C"}},
        {{"number", "--current"}, {"Small B01", "Big A02", "niddle C03"}},
        {{"number"}, {"niddle C0301", "niddle C0302", "niddle C0303"}},  // the longest name
        {{"number", "--name", "T", "--digits", "3", "--increment", "5", "--start", "10"},
         {"T010", "T015", "T020"}},
        {{"number", "--name", "Tr", "--before"}, {"01Tr", "02Tr", "03Tr"}},
        {{"number", "--name", "Tr", "--offset", "1", "--start", "0"}, {"T00r", "T01r", "T02r"}}};
    for (const auto& c : cases) {
        std::vector<std::string> words{c.words[0], List()};
        words.insert(words.end(), c.words.begin() + 1, c.words.end());
        SCOPED_TRACE(c.words.back());
        EXPECT_EQ(Run(words).nStatus, 0);
        std::string shown = Run({"show", List()}).strOut;
        EXPECT_EQ(Column(shown, 0), c.names);
        EXPECT_THAT(Column(shown, 2), ElementsAre(".txt", ".dat", ""));
    }
}

// Usage errors, arguments the commands cannot take, and an edit that would grow a name
// past the limit (long replaces once grew a name to gigabytes): each is one line on
// stderr, status one, and the list stays byte for byte as it was.
TEST_F(ListCommandsTest, ARefusedCommandLeavesTheListAsItWas) {
    std::string before = ReadFileBytes(List());
    std::string longText(3000, 'a');
    struct SCase {
        std::vector<std::string> words;
        std::string problem;
    } cases[] = {{{}, ""},
                 {{"frobnicate"}, ""},
                 {{"show"}, ""},
                 {{"show", "a", "b"}, ""},
                 {{"show", List(), "--bogus"}, ""},
                 {{"sort", List(), "Colour"}, "Colour"},
                 {{"case", List(), "shouty"}, "shouty"},
                 {{"remove", List(), "1", "0"}, "no such row"},
                 {{"remove", List(), "1", "4"}, "no such row"},
                 {{"remove", List(), "1", "x"}, "no such row"},
                 {{"remove", List(), "1", "-1"}, "no such row"},
                 {{"remove", List(), "1", "1.5"}, "no such row"},
                 {{"rename", List(), "4", "x"}, "no such row"},
                 {{"replace", List(), "a", longText}, "4,096 bytes"},
                 {{"number", List(), "--before", "--after"}, "excludes"},
                 {{"number", List(), "--name", "x", "--current"}, "excludes"},
                 {{"number", List(), "--offset", "-1"}, ""},
                 {{"number", List(), "--digits", "two"}, ""},
                 {{"number", List(), "--name", ""}, ""}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.words.empty() ? "" : c.words[0] + " " + c.words.back());
        SCliRun run = Run(c.words);
        EXPECT_EQ(run.nStatus, 1);
        EXPECT_EQ(run.strOut, "");
        EXPECT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        if (!c.problem.empty()) {
            EXPECT_THAT(run.strErr, HasSubstr(c.problem));
        }
        EXPECT_EQ(ReadFileBytes(List()), before);
    }
    // Nothing changed: the list is not written either.
    EXPECT_EQ(Run({"rename", List(), "1", "   "}).nStatus, 0);
    EXPECT_EQ(Run({"replace", List(), "zzz", "y"}).nStatus, 0);
    EXPECT_EQ(ReadFileBytes(List()), before);
}

}  // namespace
