#include "cli/CliFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class TextCommandsTest : public CliTest {
protected:
    void MakeList(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(dir.WriteFile("f/" + name));
        WriteList(paths);
    }
    std::vector<std::string> NewNames() { return Column(Run({"show", List()}).strOut, 0); }
    std::vector<std::string> Types() { return Column(Run({"show", List()}).strOut, 2); }
};

TEST_F(TextCommandsTest, EachCaseChangesTheNewNamesButNeverTheExtension) {
    struct SCase {
        const char* name;
        std::vector<std::string> expected;
    };
    for (const SCase& c :
         {SCase{"upper", {"README", "MY SONG"}}, SCase{"lower", {"readme", "my song"}},
          SCase{"title", {"Readme", "My Song"}}, SCase{"sentence", {"Readme", "My song"}},
          SCase{"toggle", {"rEADmE", "MY song"}}}) {
        MakeList({"ReadMe.TXT", "my SONG.mp3"});
        SCliRun run = Run({"case", List(), c.name});
        EXPECT_EQ(run.nStatus, 0) << c.name << run.strErr;
        EXPECT_EQ(NewNames(), c.expected) << c.name;
        EXPECT_THAT(Types(), ElementsAre(".TXT", ".mp3"));
    }
    SCliRun unknown = Run({"case", List(), "shouty"});
    EXPECT_EQ(unknown.nStatus, 1);
    EXPECT_THAT(unknown.strErr, HasSubstr("shouty"));
}

TEST_F(TextCommandsTest, SwapSpacesAndReplaceWorkOnEveryRow) {
    MakeList({"Artist - Title.mp3", "theQuickFox.txt", "no middle.txt"});
    EXPECT_EQ(Run({"swap", List(), " - "}).nStatus, 0);
    EXPECT_THAT(NewNames(), ElementsAre("Title - Artist", "theQuickFox", "no middle"));
    EXPECT_EQ(Run({"spaces", List()}).nStatus, 0);
    EXPECT_THAT(NewNames(), ElementsAre("Title - Artist", "the Quick Fox", "no middle"));
    EXPECT_EQ(Run({"replace", List(), "T", "t", "--match-case"}).nStatus, 0);
    EXPECT_THAT(NewNames(), ElementsAre("title - Artist", "the Quick Fox", "no middle"));
    EXPECT_EQ(Run({"replace", List(), "FOX", "Dog"}).nStatus, 0);
    EXPECT_THAT(NewNames(), ElementsAre("title - Artist", "the Quick Dog", "no middle"));
}

TEST_F(TextCommandsTest, ACommandThatChangesNothingDoesNotWriteTheList) {
    MakeList({"abc.txt"});
    std::string before = ReadFileBytes(List());
    EXPECT_EQ(Run({"case", List(), "lower"}).nStatus, 0);
    EXPECT_EQ(Run({"replace", List(), "zzz", "y"}).nStatus, 0);
    EXPECT_EQ(ReadFileBytes(List()), before);
}

TEST_F(TextCommandsTest, NumberTakesItsSettingsFromTheOptions) {
    MakeList({"a.mp3", "bbb.mp3", "c.mp3"});
    struct {
        std::vector<std::string> options;
        std::vector<std::string> names;
    } cases[] = {
        {{"--current"}, {"a01", "bbb02", "c03"}},
        {{}, {"bbb0201", "bbb0202", "bbb0203"}},  // the longest new name
        {{"--name", "Track", "--digits", "3", "--increment", "5", "--start", "10"},
         {"Track010", "Track015", "Track020"}},
        {{"--name", "Track", "--before"}, {"01Track", "02Track", "03Track"}},
        {{"--name", "Track", "--offset", "2", "--start", "0"}, {"Tr00ack", "Tr01ack", "Tr02ack"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words{"number", List()};
        words.insert(words.end(), c.options.begin(), c.options.end());
        EXPECT_EQ(Run(words).nStatus, 0);
        EXPECT_EQ(NewNames(), c.names);
    }
}

TEST_F(TextCommandsTest, NumberRefusesContradictionsAndBadNumbers) {
    MakeList({"a.mp3"});
    std::string before = ReadFileBytes(List());
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--before", "--after"},
                                                    {"--name", "x", "--current"},
                                                    {"--digits", "two"},
                                                    {"--name", ""}}) {
        std::vector<std::string> words{"number", List()};
        words.insert(words.end(), options.begin(), options.end());
        SCliRun run = Run(words);
        EXPECT_EQ(run.nStatus, 1) << options[0];
        EXPECT_EQ(Lines(run.strErr).size(), 1u) << run.strErr;
        EXPECT_EQ(ReadFileBytes(List()), before);
    }
}

}  // namespace
