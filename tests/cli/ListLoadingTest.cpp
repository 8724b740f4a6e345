#include "cli/CliFixture.h"

namespace {

using ::testing::HasSubstr;

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
    EXPECT_EQ(Column(run.strOut, 0), (std::vector<std::string>{"My Song", "readme"}));
    EXPECT_EQ(Column(run.strOut, 1), (std::vector<std::string>{"My Song", "readme"}));
    EXPECT_EQ(Column(run.strOut, 2), (std::vector<std::string>{".mp3", ""}));
    EXPECT_EQ(Column(run.strOut, 3), (std::vector<std::string>{"5", "0"}));
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

}  // namespace
