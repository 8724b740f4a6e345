// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliFixture.h"

namespace {

class RegexAndNaturalTest : public CliTest {
protected:
    void UseNames(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(dir.WriteFile(name + ".mp3"));
        WriteList(paths);
    }
    std::vector<std::string> NewNames() { return Column(Run({"show", List()}).strOut, 0); }
};

// Each replace --regex over the same names: groups, anchors, classes, letter case.
TEST_F(RegexAndNaturalTest, ReplaceWithRegexRewritesTheMatchingNames) {
    const std::vector<std::string> names = {"Artist - Title", "track 07", "TRACK 8", "Caf\xe9 01"};
    // The words after the list, and the new names then.
    std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"^(.+) - (.+)$", "$2 - $1"}, {"Title - Artist", "track 07", "TRACK 8", "Caf\xe9 01"}},
        {{"^track (\\d+)$", "$1 track"}, {"Artist - Title", "07 track", "8 track", "Caf\xe9 01"}},
        {{"^track", "Song", "--match-case"},
         {"Artist - Title", "Song 07", "TRACK 8", "Caf\xe9 01"}},
        {{"[[:digit:]]", "#"}, {"Artist - Title", "track ##", "TRACK #", "Caf\xe9 01"}},
        {{"[aeiou]", "", "--match-case"}, {"Artst - Ttl", "trck 07", "TRACK 8", "Caf\xe9 01"}},
    };
    for (const auto& [words, expected] : cases) {
        SCOPED_TRACE(words[0]);
        UseNames(names);
        std::vector<std::string> command{"replace", List(), "--regex"};
        command.insert(command.end(), words.begin(), words.end());
        Expect(kExitOk, command);
        EXPECT_EQ(NewNames(), expected);
    }
    // Without --regex the same pattern is a plain text, found nowhere.
    UseNames(names);
    Expect(kExitOk, {"replace", List(), "^track", "x"});
    EXPECT_EQ(NewNames(), names);
}

// A pattern that does not compile, or a replacement naming a missing group: one line on
// stderr naming the character, status 1, and the list as it was, byte for byte.
TEST_F(RegexAndNaturalTest, AnInvalidPatternIsOneErrorLineAndChangesNothing) {
    UseNames({"track 1", "track 2"});
    std::string before = ReadFileBytes(List());
    std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"track (\\d", "x"},
         "tessel-cli: replace: Invalid regular expression at character 10 "
         "of 'track (\\d': a parenthesis is not matched\n"},
        {{"(track) (\\d)", "$3"}, "refers to group $3 at character 1 of '$3'"},
    };
    for (const auto& [words, error] : cases) {
        SCliRun run = Expect(kExitError, {"replace", List(), "--regex", words[0], words[1]}, error);
        EXPECT_EQ(Lines(run.strErr).size(), 1u);
        EXPECT_EQ(ReadFileBytes(List()), before);
    }
}

// --natural sorts numbers by their value and ignores case; without it texts fold bytewise.
TEST_F(RegexAndNaturalTest, SortNaturalPutsTrack2BeforeTrack10) {
    UseNames({"track10", "Track3", "echo2", "track2",
              "\xc3\xa9"
              "cho",
              "track1", "echo"});
    Expect(kExitOk, {"sort", List(), "New Filename", "--natural"});
    EXPECT_THAT(NewNames(), ElementsAre("echo",
                                        "\xc3\xa9"
                                        "cho",
                                        "echo2", "track1", "track2", "Track3", "track10"));
    Expect(kExitOk, {"sort", List(), "new filename", "--natural", "--descending"});
    EXPECT_EQ(NewNames().front(), "track10");
    Expect(kExitOk, {"sort", List(), "New Filename"});
    EXPECT_THAT(NewNames(), ElementsAre("echo", "echo2", "track1", "track10", "track2", "Track3",
                                        "\xc3\xa9"
                                        "cho"));
}

}  // namespace
