// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include "cli/CliFixture.h"

using ::testing::StartsWith;

namespace {

class ListCommandsTest : public CliTest {
protected:
    void SetUp() override {
        small = dir.WriteFile("f/b_small.txt", "1");
        large = dir.WriteFile("f/A large.dat", "1234567");
        middle = dir.WriteFile("f/c middle", "1234");
        WriteList({small, large, middle});
    }

    std::string small, large, middle;
};

// Each row shows its normal columns.
TEST_F(ListCommandsTest, ShowPrintsTheNormalColumnsOfEachRow) {
    SCliRun run = Expect(0, {"show", List()}, "", {{"TZ", "UTC"}});
    ASSERT_EQ(Lines(run.strOut).size(), 3u);
    EXPECT_THAT(Lines(run.strOut)[1], StartsWith("A large\tA large\t.dat\t7\t"));
    EXPECT_THAT(Lines(run.strOut)[2], StartsWith("c middle\tc middle\t\t4\t"));
}

// Usage errors, arguments the commands cannot take, an edit that would grow a name past
// the limit (long replaces once grew a name to gigabytes), and a list that does not load,
// named with its problem: each is one line on stderr, status one, and the list stays
// byte for byte as it was.
TEST_F(ListCommandsTest, ARefusedCommandOrADamagedListLeavesTheListAsItWas) {
    std::string whole = ReadFileBytes(List());
    std::string folder = dir.MakeFolder("folder.tsl");
    std::string damaged = List() + ": the list is damaged";
    // The words, the problem told, and the list's bytes when not the sound ones.
    std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{}, "", ""},
        {{"frobnicate"}, "no command frobnicate; see 'tessel-cli --help'", ""},
        {{"replace", List(), "", "x"}, "the text to find is empty", ""},
        {{"number", List(), "--digits", "3"}, "--name TEXT, or --current", ""},
        {{"sort", List(), "Colour"}, "Colour", ""},
        {{"remove", List(), "1", "0"}, "no such row", ""},
        {{"rename", List(), "4", "x"}, "no such row", ""},
        {{"replace", List(), "a", std::string(3000, 'a')}, "4,096 bytes", ""},
        {{"number", List(), "--before", "--after"}, "excludes", ""},
        {{"show", List(), "--mp3"}, "", ""},  // MP3 mode takes only lists of MP3 files
        {{"go", List(), "--yes"}, damaged, whole + "x"},
        {{"show", folder}, folder + ": Is a directory", ""}};  // not an empty list
    for (const auto& [words, problem, listBytes] : cases) {
        SCOPED_TRACE(words.empty() ? "" : words[0] + " " + words.back());
        std::string bytes = listBytes.empty() ? whole : listBytes;
        dir.WriteFile("list.tsl", bytes);
        SCliRun run = Run(words);
        EXPECT_EQ(std::tuple(run.nStatus, run.strOut), std::tuple(1, ""));
        EXPECT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        EXPECT_THAT(run.strErr, HasSubstr(problem));
        EXPECT_EQ(ReadFileBytes(List()), bytes);
    }
    EXPECT_THAT(FolderNames(dir / "f"), ElementsAre("A large.dat", "b_small.txt", "c middle"));
}

// Each command that changes the list reaches its operation with its options, on every
// row: rows are added in order (a file listed once only), taken by number, sorted by a
// column's title and removed (their files stay); the extensions stay as they were. A
// command that changes nothing does not write the list again.
TEST_F(ListCommandsTest, EachCommandTakesItsSettingsFromTheOptions) {
    std::string e = dir.WriteFile("e.txt");
    SCliRun add = Expect(1, {"add", List(), "e.txt", "ghost.txt", "./f/b_small.txt"});
    EXPECT_EQ(add.strErr, "tessel-cli: ghost.txt: No such file or directory\n");
    Expect(0, {"remove", List(), "4"});
    // The command's words after the list, and the names shown then.
    std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"rename", "1", "  bSmall"}, {"bSmall.txt", "A large.dat", "c middle"}},
        {{"spaces"}, {"b Small.txt", "A large.dat", "c middle"}},
        {{"case", "title"}, {"B Small.txt", "A Large.dat", "C Middle"}},
        {{"replace", "M", "n", "--match-case"}, {"B Small.txt", "A Large.dat", "C niddle"}},
        {{"sort", "Size", "--descending"}, {"A Large.dat", "C niddle", "B Small.txt"}},
        {{"swap", " "}, {"Large A.dat", "niddle C", "Small B.txt"}},
        {{"number", "--name", "T", "--digits", "3", "--increment", "5", "--start", "10"},
         {"T010.dat", "T015", "T020.txt"}},
        {{"remove", "3", "1"}, {"T015"}}};
    for (const auto& [command, expected] : cases) {
        std::vector<std::string> words{command[0], List()};
        words.insert(words.end(), command.begin() + 1, command.end());
        SCOPED_TRACE(command.back());
        Expect(0, words);
        std::string shown = Run({"show", List()}).strOut;
        std::vector<std::string> names = Column(shown, 0), extensions = Column(shown, 2);
        for (size_t row = 0; row < names.size() && row < extensions.size(); ++row)
            names[row] += extensions[row];
        EXPECT_EQ(names, expected);
    }
    EXPECT_TRUE(PathExists(small) && PathExists(large) && PathExists(e));
    struct stat before, after;
    ASSERT_EQ(stat(List().c_str(), &before), 0);
    Expect(0, {"replace", List(), "zzz", "y"});
    ASSERT_EQ(stat(List().c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "the list was written again";
}

// A mistyped list name is an error, not an empty list: every command but add refuses a list
// that does not exist, and none of them makes the file.
TEST_F(ListCommandsTest, OnlyAddMakesAListThatDoesNotExist) {
    std::string absent = dir / "lsit.tsl";
    std::vector<std::string> commands[] = {
        {"show"},           {"sort", "Size"},   {"remove", "1"},        {"rename", "1", "x"},
        {"export", "-"},    {"case", "lower"},  {"swap", "-"},          {"spaces"},
        {"replace", "a", "b"}, {"number", "--name", "x"}, {"go", "--yes"}, {"undo"},
        {"history"},        {"name-to-tag"},    {"tag-to-name"}};
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(command[0]);
        std::vector<std::string> words{command[0], absent};
        words.insert(words.end(), command.begin() + 1, command.end());
        SCliRun run = Expect(kExitError, words, absent + ": no such list");
        EXPECT_EQ(run.strOut, "");
        EXPECT_FALSE(PathExists(absent));
    }
    Expect(kExitOk, {"add", absent, small});
    EXPECT_THAT(Column(Expect(kExitOk, {"show", absent}).strOut, 1), ElementsAre("b_small"));
}

// A folder named to add gives the files in it; its subfolders' files come only with
// --recursive.
TEST_F(ListCommandsTest, AddTakesAFoldersOwnFilesAndItsSubfoldersOnlyWhenRecursive) {
    dir.WriteFile("f/inner/deep.txt");
    std::string own = dir / "own.tsl", all = dir / "all.tsl";
    Expect(kExitOk, {"add", own, dir / "f"});
    EXPECT_THAT(Column(Run({"show", own}).strOut, 1), ElementsAre("A large", "b_small", "c middle"));
    Expect(kExitOk, {"add", "--recursive", all, dir / "f"});
    EXPECT_THAT(Column(Run({"show", all}).strOut, 1),
                ElementsAre("A large", "b_small", "c middle", "deep"));
}

// "-" as the text file is standard output, and no file of that name is made.
TEST_F(ListCommandsTest, ExportToADashWritesTheNamesToStandardOutput) {
    SCliRun run = Expect(kExitOk, {"export", List(), "-"});
    EXPECT_EQ(run.strOut, "b_small.txt\nA large.dat\nc middle\n");
    EXPECT_FALSE(PathExists(dir / "-"));
}

// Counts read as English: one row, two rows.
TEST_F(ListCommandsTest, ACountOfOneIsSingular) {
    Expect(kExitOk, {"remove", List(), "1", "2"});
    Expect(kExitError, {"remove", List(), "2"}, "no such row; the list has 1 row\n");
}

// The help names every exit status a command can end with.
TEST_F(ListCommandsTest, HelpListsEveryExitStatus) {
    std::string help = Expect(kExitOk, {"--help"}).strOut;
    for (int status : {kExitOk, kExitError, kExitBlocked, kExitDeclined, kExitTagTextLost})
        EXPECT_THAT(help, HasSubstr(" " + std::to_string(status) + " ")) << status;
    std::string page = ReadFileBytes(TESSEL_SOURCE_DIR "/data/tessel-cli.1");
    for (int status : {kExitOk, kExitError, kExitBlocked, kExitDeclined, kExitTagTextLost})
        EXPECT_THAT(page, HasSubstr(".B " + std::to_string(status) + "\n")) << status;
}

}  // namespace
