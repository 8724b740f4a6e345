// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliFixture.h"
#include "cli/ExitCodes.h"
#include "mp3/Id3v2Files.h"
#include "mp3/Mp3Fixture.h"

namespace {

using Id3v2CommandsTest = CliTest;

std::string TaggedFile(size_t padding) {
    std::vector<std::string> frames = {V2Text(3, "TIT2", "Title"), V2Text(3, "TPE1", "Artist"),
                                       V2Text(3, "TCON", "Chillwave")};
    for (const std::string& frame : KeptFrames(3))
        frames.push_back(frame);
    return V2Tag(3, frames, padding) + kAudio + RawBlock("Title", "Artist");
}

// tags prints the ID3v2 fields whole; tag changes only the given field there and in the
// block, and undo --tags puts the old ID3v2 tag back byte for byte, whether the new one
// was written in place or the file written anew.
TEST_F(Id3v2CommandsTest, TagWritesBothTagsAndUndoPutsTheOldId3v2TagBack) {
    std::string roomy = dir.WriteFile("m/roomy.mp3", TaggedFile(512));
    std::string tight = dir.WriteFile("m/tight.mp3", TaggedFile(0));
    const std::string before[] = {ReadFileBytes(roomy), ReadFileBytes(tight)};
    SCliRun run =
        Expect(0, {"tag", roomy, tight, "--album", "Ünïcode album, longer than thirty bytes"});
    EXPECT_EQ(run.strOut, "roomy.mp3\troomy.mp3\tOK\n"
                          "tight.mp3\ttight.mp3\tfile written anew to make room for the ID3v2 tag\n");
    EXPECT_EQ(Expect(0, {"tags", roomy}).strOut,
              roomy + "\tTitle\tArtist\tÜnïcode album, longer than thirty bytes\t\t\t\t\n");
    std::string after = ReadFileBytes(roomy);
    EXPECT_EQ(after.size(), before[0].size());
    EXPECT_EQ(after.substr(after.size() - 128),
              RawBlock("Title", "Artist", "\xDCn\xEF" "code album, longer than thi"));
    for (const std::string& frame : KeptFrames(3))
        EXPECT_NE(ReadFileBytes(tight).find(frame), std::string::npos);
    EXPECT_EQ(Expect(0, {"undo", "--tags"}).strOut, "2 files put back\n");
    EXPECT_EQ(ReadFileBytes(roomy), before[0]);
    EXPECT_EQ(ReadFileBytes(tight), before[1]);
}

// --add-id3v2 gives a file without an ID3v2 tag one; without it, only the block is written.
// A list's tag writes take the option too.
TEST_F(Id3v2CommandsTest, AddId3v2GivesFilesWithoutOneAnId3v2Tag) {
    std::string plain = dir.WriteFile("m/Band - Song.mp3", kAudio);
    Expect(0, {"tag", plain, "--title", "Song"});
    EXPECT_EQ(ReadFileBytes(plain), kAudio + RawBlock("Song"));
    Expect(kExitTagTextLost, {"tag", plain, "--title", "東京", "--add-id3v2"}, "Title stored as");
    EXPECT_EQ(ReadFileBytes(plain).substr(0, 4), "ID3\x03");
    EXPECT_EQ(Expect(0, {"tags", plain}).strOut, plain + "\t東京\t\t\t\t\t\t\n");
    Expect(0, {"undo", "--tags"});
    EXPECT_EQ(ReadFileBytes(plain), kAudio + RawBlock("Song"));

    std::string other = dir.WriteFile("m/Other - Tune.mp3", kAudio);
    WriteList({other});
    Expect(0, {"name-to-tag", List(), "--add-id3v2"});
    EXPECT_EQ(Expect(0, {"tags", other}).strOut, other + "\tTune\tOther\t\t\t\t\t\n");
    EXPECT_EQ(ReadFileBytes(other).substr(0, 3), "ID3");
}

}  // namespace
