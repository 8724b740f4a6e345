#include "cli/CliFixture.h"
#include "mp3/Mp3Fixture.h"

namespace {

using TagCommandsTest = CliTest;

// A missing file is reported as missing whatever was asked about before it: the facts of
// an earlier folder must not leak into the next report. Writing nothing new shows nothing,
// as Save ID3 does; what a tag cannot hold is refused. A file right under "/" is looked
// at like any other.
TEST_F(TagCommandsTest, TagsPrintsEveryFieldAndTagWritesTheGivenOnes) {
    std::string a = dir.WriteFile("m/a.mp3", kAudio + RawBlock("Song", "Band", "", "1999", "", 17));
    std::string b = dir.WriteFile("m/b.mp3", kAudio);
    std::string folder = dir.MakeFolder("albums");
    SCliRun run = Expect(1, {"tags", a, folder, dir / "gone.mp3", b});
    EXPECT_EQ(run.strOut, a + "\tSong\tBand\t\t1999\tRock\t\n" + b + "\t\t\t\t\t\t\n");
    EXPECT_EQ(run.strErr, "tessel-cli: " + folder + ": Is a directory\ntessel-cli: " +
                              (dir / "gone.mp3") + ": No such file or directory\n");

    run = Expect(0, {"tag", a, b, "--album", "Live", "--genre", "Jazz", "--year", "2001"});
    EXPECT_EQ(run.strOut, "a.mp3\ta.mp3\tOK\nb.mp3\tb.mp3\tOK\n");
    EXPECT_EQ(ReadFileBytes(b), kAudio + RawBlock("", "", "Live", "2001", "", 8));
    EXPECT_EQ(Expect(0, {"tag", a, "--album", "Live"}).strOut, "");
    std::string before = ReadFileBytes(a);
    std::string text = dir.WriteFile("m/notes.txt", "x");
    Expect(1, {"tag", a, "--year", "10000"});
    Expect(1, {"tag", text, "/tessel-gone.mp3", "--title", "x"}, text + ": not an .mp3 file");
    EXPECT_EQ(std::tuple(ReadFileBytes(a), ReadFileBytes(text)), std::tuple(before, "x"));

    // A long list of files is edited in parts side by side; each file once.
    std::vector<std::string> many = {"tag", "--title", "T"};
    for (int i = 0; i < 1100; ++i)
        many.push_back(dir.WriteFile("m/" + std::to_string(i) + ".mp3", kAudio));
    EXPECT_EQ(Column(Expect(0, many).strOut, 2), std::vector<std::string>(1100, "OK"));
}

// With --mp3 the text commands change the chosen tag fields and leave the list alone.
TEST_F(TagCommandsTest, Mp3ModeCommandsWorkOnTheTags) {
    std::string a = dir.WriteFile("m/Band - Song.mp3", kAudio);
    std::string b = dir.WriteFile("m/NoSeparator.mp3",
                                  kAudio + RawBlock("my title", "the artist", "", "1999", "", 0));
    WriteList({a, b});
    EXPECT_EQ(Expect(0, {"name-to-tag", List()}).strOut,
              "Band - Song.mp3\tBand - Song.mp3\tOK\n"
              "NoSeparator.mp3\tNoSeparator.mp3\tUnchanged\n");
    std::string listBefore = ReadFileBytes(List());
    Expect(0, {"case", List(), "upper", "--mp3", "--fields", "title"});
    EXPECT_EQ(Run({"show", List(), "--mp3"}).strOut,
              "Band - Song.mp3\tSONG\tBand\t\t\t\t\n"
              "NoSeparator.mp3\tMY TITLE\tthe artist\t\t1999\tBlues\t\n");
    EXPECT_EQ(ReadFileBytes(List()), listBefore);
    Expect(0, {"tag-to-name", List(), "--separator", " _ ", "--title-first"});
    EXPECT_THAT(Column(Run({"show", List()}).strOut, 0),
                ElementsAre("SONG _ Band", "MY TITLE _ the artist"));
}

}  // namespace
