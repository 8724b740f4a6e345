#include "cli/CliFixture.h"
#include "mp3/Mp3Fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class TagCommandsTest : public CliTest {
protected:
    // An MP3 file of some audio bytes, with an ID3v1 block when a title or artist is given.
    std::string Mp3(const std::string& name, const std::string& title = "",
                    const std::string& artist = "", const std::string& year = "",
                    unsigned char genre = 255) {
        bool tagged = !title.empty() || !artist.empty();
        return dir.WriteFile("m/" + name,
                             kAudio + (tagged ? RawBlock(title, artist, "", year, "", genre) : ""));
    }
};

TEST_F(TagCommandsTest, TagsPrintsEveryFieldOfEachFile) {
    std::string a = Mp3("a.mp3", "Song", "Band", "1999", 17);
    std::string b = Mp3("b.mp3");
    SCliRun run = Run({"tags", a, b});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, a + "\tSong\tBand\t\t1999\tRock\t\n" + b + "\t\t\t\t\t\t\n");
    SCliRun missing = Run({"tags", dir / "none.mp3", a});
    EXPECT_EQ(missing.nStatus, 1);
    EXPECT_EQ(Lines(missing.strOut).size(), 1u);
    EXPECT_THAT(missing.strErr, HasSubstr(dir / "none.mp3"));
}

TEST_F(TagCommandsTest, TagWritesTheGivenFieldsAndKeepsTheOthers) {
    std::string a = Mp3("a.mp3", "Song", "Band", "1999", 17);
    std::string b = Mp3("b.mp3");
    SCliRun run = Run({"tag", a, b, "--album", "Live", "--genre", "Jazz", "--year", "2001"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "a.mp3\ta.mp3\tOK\nb.mp3\tb.mp3\tOK\n");
    EXPECT_EQ(Run({"tags", a, b}).strOut,
              a + "\tSong\tBand\tLive\t2001\tJazz\t\n" + b + "\t\t\tLive\t2001\tJazz\t\n");
    EXPECT_EQ(ReadFileBytes(b), kAudio + RawBlock("", "", "Live", "2001", "", 8));
    // Nothing to write: like Save ID3, nothing is shown.
    SCliRun again = Run({"tag", a, "--album", "Live"});
    EXPECT_EQ(again.nStatus, 0);
    EXPECT_EQ(again.strOut, "");
}

TEST_F(TagCommandsTest, TagRefusesValuesATagCannotHoldAndFilesThatAreNotMp3) {
    std::string a = Mp3("a.mp3", "Song", "Band");
    std::string before = ReadFileBytes(a);
    for (const std::vector<std::string>& words : {std::vector<std::string>{"tag", a, "--year", "0"},
                                                  {"tag", a, "--year", "10000"},
                                                  {"tag", a, "--genre", "Polka Dots"}}) {
        SCliRun run = Run(words);
        EXPECT_EQ(run.nStatus, 1) << words[3];
        EXPECT_EQ(ReadFileBytes(a), before);
    }
    std::string text = dir.WriteFile("m/notes.txt", "x");
    SCliRun notMp3 = Run({"tag", text, "--title", "x"});
    EXPECT_EQ(notMp3.nStatus, 1);
    EXPECT_EQ(ReadFileBytes(text), "x");
}

TEST_F(TagCommandsTest, TextCommandsWithMp3ChangeTheChosenTagFields) {
    std::string a = Mp3("a.mp3", "my song", "the band");
    WriteList({a});
    std::string listBefore = ReadFileBytes(List());
    SCliRun dry = Run({"case", List(), "upper", "--mp3", "--fields", "title", "--dry-run"});
    EXPECT_EQ(dry.nStatus, 0) << dry.strErr;
    EXPECT_EQ(dry.strOut, "a.mp3\ta.mp3\tOK\n");
    EXPECT_THAT(Run({"tags", a}).strOut, HasSubstr("\tmy song\tthe band\t"));
    SCliRun run = Run({"case", List(), "upper", "--mp3", "--fields", "title"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_THAT(Run({"tags", a}).strOut, HasSubstr("\tMY SONG\tthe band\t"));
    EXPECT_EQ(Run({"replace", List(), "band", "group", "--mp3"}).nStatus, 0);
    EXPECT_THAT(Run({"tags", a}).strOut, HasSubstr("\tMY SONG\tthe group\t"));
    EXPECT_EQ(ReadFileBytes(List()), listBefore);
    EXPECT_EQ(Run({"case", List(), "upper", "--mp3", "--fields", "colour"}).nStatus, 1);
}

TEST_F(TagCommandsTest, ShowWithMp3PrintsTheTagColumns) {
    std::string a = Mp3("a.mp3", "Song", "Band", "1999", 0);
    WriteList({a});
    SCliRun run = Run({"show", List(), "--mp3"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "a.mp3\tSong\tBand\t\t1999\tBlues\t\n");
    std::string text = dir.WriteFile("m/notes.txt", "x");
    WriteList({a, text});
    EXPECT_EQ(Run({"show", List(), "--mp3"}).nStatus, 1);
}

TEST_F(TagCommandsTest, NameToTagSplitsTheNewNamesAndWritesTheTags) {
    std::string a = Mp3("Band - Song.mp3");
    std::string b = Mp3("NoSeparator.mp3");
    WriteList({a, b});
    SCliRun run = Run({"name-to-tag", List()});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut,
              "Band - Song.mp3\tBand - Song.mp3\tOK\n"
              "NoSeparator.mp3\tNoSeparator.mp3\tUnchanged\n");
    EXPECT_EQ(Run({"tags", a}).strOut, a + "\tSong\tBand\t\t\t\t\n");
    std::string c = Mp3("Title_Artist.mp3");
    WriteList({c});
    EXPECT_EQ(Run({"name-to-tag", List(), "--separator", "_", "--title-first"}).nStatus, 0);
    EXPECT_EQ(Run({"tags", c}).strOut, c + "\tTitle\tArtist\t\t\t\t\n");
}

TEST_F(TagCommandsTest, TagToNameBuildsNewNamesFromTheTags) {
    std::string a = Mp3("track01.mp3", "Song", "Band");
    std::string b = Mp3("track02.mp3");
    WriteList({a, b});
    SCliRun run = Run({"tag-to-name", List(), "--separator", " _ ", "--title-first"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 0), ElementsAre("Song _ Band", "track02"));
    std::string text = dir.WriteFile("m/notes.txt", "x");
    WriteList({a, text});
    EXPECT_EQ(Run({"tag-to-name", List()}).nStatus, 1);
}

}  // namespace
