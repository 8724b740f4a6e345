// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>

#include "cli/CliFixture.h"
#include "cli/ExitCodes.h"
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
    EXPECT_EQ(run.strOut, a + "\tSong\tBand\t\t1999\tRock\t\t\n" + b + "\t\t\t\t\t\t\t\n");
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

namespace {

// Every tag write is a run: a tag written over another and one appended to a file that had
// none are put back byte for byte, whether the files were given one by one (undo --tags)
// or written through a list (undo LIST), the latest run first.
TEST_F(TagCommandsTest, TagWritesAreUndoneByteForByte) {
    std::string tagged = dir.WriteFile(
        "m/tagged.mp3", kAudio + RawBlock("Song", "Band", "Album", "1999", "note", 17));
    std::string bare = dir.WriteFile("m/bare.mp3", kAudio);
    std::string taggedBefore = ReadFileBytes(tagged);
    Expect(0, {"tag", tagged, bare, "--title", "New title", "--genre", "Jazz"});
    ASSERT_NE(ReadFileBytes(tagged), taggedBefore);
    ASSERT_NE(ReadFileBytes(bare), kAudio);
    EXPECT_EQ(Expect(0, {"undo", "--tags"}).strOut, "2 files put back\n");
    EXPECT_EQ(ReadFileBytes(tagged), taggedBefore);
    EXPECT_EQ(ReadFileBytes(bare), kAudio);
    Expect(1, {"undo", "--tags"}, "no run to undo");

    std::string named = dir.WriteFile("m/Band - Song.mp3", kAudio);
    WriteList({named, tagged});
    Expect(0, {"name-to-tag", List()});
    Expect(0, {"case", List(), "upper", "--mp3"});
    std::string upper = ReadFileBytes(tagged);
    Expect(0, {"undo", List()});
    EXPECT_NE(ReadFileBytes(tagged), upper);
    Expect(0, {"undo", List()});
    EXPECT_EQ(ReadFileBytes(named), kAudio);
    EXPECT_EQ(ReadFileBytes(tagged), taggedBefore);
}

// Without a journal to keep the old tags in, no tag is written: here the journal's
// temporary name is taken by a folder.
TEST_F(TagCommandsTest, NoTagIsWrittenWithoutItsJournal) {
    std::string bare = dir.WriteFile("m/bare.mp3", kAudio);
    std::filesystem::create_directories(state / "xdg/tessel/tags-00000001.journal.new");
    Expect(1, {"tag", bare, "--title", "One"}, "no tag was written");
    EXPECT_EQ(ReadFileBytes(bare), kAudio);
}

// A file whose tag changed again since the write is not the one the journal knew: undo
// leaves it as it is and says so, and keeps the write for a later undo.
TEST_F(TagCommandsTest, AFileChangedSinceItsTagWriteIsLeftAlone) {
    std::string bare = dir.WriteFile("m/bare.mp3", kAudio);
    Expect(0, {"tag", bare, "--title", "One"});
    std::ofstream(bare, std::ios::app) << "more audio";
    std::string changed = ReadFileBytes(bare);
    Expect(1, {"undo", "--tags"}, bare + ": the file changed since its tag was written");
    EXPECT_EQ(ReadFileBytes(bare), changed);
    EXPECT_THAT(Run({"undo", "--tags"}).strErr, HasSubstr("changed since"));
}

}  // namespace

namespace {

// On a full disk a tag write says so, rather than that access was denied, and leaves the
// file as it was. The disk is a small file system of the test's own, where one is allowed.
TEST_F(TagCommandsTest, ATagWriteOnAFullDiskSaysTheDiskIsFull) {
    constexpr int kNoPrivateMount = 77;
    std::string disk = dir.MakeFolder("disk");
    // A whole page of audio: the appended tag needs room the full disk does not have.
    std::string audio = dir.WriteFile("audio.mp3", std::string(4096, 'a'));
    std::string script =
        "mount -t tmpfs -o size=64k tmpfs \"$1\" 2>/dev/null || exit " +
        std::to_string(kNoPrivateMount) +
        "\ncp \"$2\" \"$1/a.mp3\" && { dd if=/dev/zero of=\"$1/fill\" bs=1k 2>/dev/null; true; }"
        "\n\"$3\" tag \"$1/a.mp3\" --title Title\nstatus=$?"
        "\ncmp -s \"$2\" \"$1/a.mp3\" || echo changed >&2\nexit $status";
    SCliRun run =
        Run({"-m", "sh", "-c", script, "sh", disk, audio, TESSEL_CLI}, {}, "/usr/bin/unshare");
    if (run.nStatus == kNoPrivateMount || run.strErr.find("unshare") != std::string::npos)
        GTEST_SKIP() << "no file system of the test's own can be made here";
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_THAT(run.strErr, HasSubstr("the disk is full"));
    EXPECT_THAT(run.strErr, Not(HasSubstr("Access is denied")));
    EXPECT_THAT(run.strErr, Not(HasSubstr("changed")));
}

// A genre is named in any letter case and stored as the table spells it; genres prints
// the table the names come from.
TEST_F(TagCommandsTest, GenresAreNamedInAnyCaseFromThePrintedTable) {
    constexpr unsigned char kRock = 17;
    std::string song = dir.WriteFile("m/a.mp3", kAudio);
    std::vector<std::string> table = Lines(Expect(kExitOk, {"genres"}).strOut);
    ASSERT_GT(table.size(), size_t{kRock});
    EXPECT_EQ(table[kRock], std::to_string(kRock) + "\tRock");
    Expect(kExitOk, {"tag", song, "--genre", "rOCK"});
    EXPECT_EQ(ReadFileBytes(song), kAudio + RawBlock("", "", "", "", "", kRock));
    Expect(kExitError, {"tag", song, "--genre", "Rockabillyish"}, "'tessel-cli genres' lists");
}

// The ID3v1.1 track number, kept in the comment's last byte, is the last field tags prints.
TEST_F(TagCommandsTest, TagsShowsTheTrackNumber) {
    constexpr char kTrack = 7;
    std::string comment = "Live" + std::string(24, '\0') + '\0' + kTrack;
    std::string song = dir.WriteFile("m/a.mp3", kAudio + RawBlock("Song", "", "", "", comment, 0));
    EXPECT_EQ(Expect(kExitOk, {"tags", song}).strOut, song + "\tSong\t\t\t\tBlues\tLive\t7\n");
}

}  // namespace

namespace {

const std::string kTokyo = "\u6771\u4eac \u20ac5";  // "東京 €5": ID3v1 stores "?? ?5"
const std::string kLoss = "characters ID3v1 cannot hold become ?";

// A write that loses characters goes ahead with "?" in their place, tells each field it
// changed so on stderr and ends with its own status; a failure elsewhere still ends as an
// error.
TEST_F(TagCommandsTest, ATagLosingCharactersIsWrittenAndTellsEachField) {
    dir.WriteFile("m/song.mp3", kAudio + RawBlock("Old", "Band"));
    dir.WriteFile("m/plain.mp3", kAudio);
    SCliRun run =
        Expect(kExitTagTextLost, {"tag", "m/song.mp3", "--title", kTokyo, "--comment", "5 \u20ac"});
    EXPECT_EQ(run.strOut, "song.mp3\tsong.mp3\tOK\n");
    EXPECT_EQ(run.strErr, "tessel-cli: m/song.mp3: Title stored as \"?? ?5\": " + kLoss +
                              "\ntessel-cli: m/song.mp3: Comment stored as \"5 ?\": " + kLoss +
                              "\n");
    EXPECT_EQ(ReadFileBytes(dir / "m/song.mp3"), kAudio + RawBlock("?? ?5", "Band", "", "", "5 ?"));

    Expect(kExitError, {"tag", "m/plain.mp3", "m/gone.mp3", "--artist", kTokyo},
           "m/plain.mp3: Artist stored as \"?? ?5\"");
    EXPECT_EQ(ReadFileBytes(dir / "m/plain.mp3"), kAudio + RawBlock("", "?? ?5"));
    EXPECT_EQ(Expect(kExitOk, {"tag", "m/plain.mp3", "--album", "Caf\u00e9"}).strErr, "");
}

// A dry run writes nothing and shows each field that would change, before and after,
// values quoted, the one that would lose characters with what would be stored.
TEST_F(TagCommandsTest, ATagDryRunShowsEachChangingFieldAndWritesNothing) {
    std::string song =
        dir.WriteFile("m/song.mp3", kAudio + RawBlock("Old \"one\"", "Band", "", "1999", "", 17));
    std::string before = ReadFileBytes(song);
    SCliRun run = Expect(kExitOk, {"tag", "--dry-run", "m/song.mp3", "--title", kTokyo, "--artist",
                                   "Band", "--year", "", "--genre", "Jazz"});
    EXPECT_EQ(run.strOut, "m/song.mp3: Title: \"Old \\\"one\\\"\" -> \"" + kTokyo +
                              "\" (stored as \"?? ?5\")\n"
                              "m/song.mp3: Year: \"1999\" -> \"\"\n"
                              "m/song.mp3: Genre: \"Rock\" -> \"Jazz\"\n");
    EXPECT_EQ(run.strErr, "");
    EXPECT_EQ(ReadFileBytes(song), before);
}

// The dry runs of a list show each row whose tag would change, by its path, and the
// preview's verdict of a file that could not take it; the run itself tells what it lost.
TEST_F(TagCommandsTest, ListDryRunsShowEachChangingFieldAndWriteNothing) {
    std::string named = dir.WriteFile("m/\u6771\u4eac - Song.mp3", kAudio + RawBlock("old"));
    std::string gone = dir.WriteFile("m/Band - Gone.mp3", kAudio);
    WriteList({named, gone});
    std::filesystem::remove(gone);
    std::string list = ReadFileBytes(List());
    EXPECT_EQ(Expect(kExitOk, {"name-to-tag", List(), "--dry-run"}).strOut,
              named + ": Title: \"old\" -> \"Song\"\n" + named +
                  ": Artist: \"\" -> \"\u6771\u4eac\"" + " (stored as \"??\")\n" + gone +
                  ": Title: \"\" -> \"Gone\"\n" + gone + ": Artist: \"\" -> \"Band\"\n" + gone +
                  ": File not found\n");
    EXPECT_EQ(Expect(kExitOk, {"case", List(), "upper", "--mp3", "--dry-run"}).strOut,
              named + ": Title: \"old\" -> \"OLD\"\n");
    EXPECT_EQ(std::tuple(ReadFileBytes(named), ReadFileBytes(List())),
              std::tuple(kAudio + RawBlock("old"), list));

    WriteList({named});
    SCliRun run = Expect(kExitTagTextLost, {"name-to-tag", List()});
    EXPECT_EQ(run.strErr, "tessel-cli: " + named + ": Artist stored as \"??\": " + kLoss + "\n");
    EXPECT_EQ(ReadFileBytes(named), kAudio + RawBlock("Song", "??"));
}

}  // namespace
