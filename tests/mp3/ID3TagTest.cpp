#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <random>

#include "mp3/ID3Tag.h"
#include "mp3/Latin1Text.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/TagFile.h"
#include "support/OtherUser.h"

namespace {

class ID3TagTest : public ::testing::Test {
protected:
    std::string Tail(const std::string& path, size_t n = 128) {
        std::string bytes = ReadFileBytes(path);
        return bytes.substr(bytes.size() - n);
    }

    CTempDir dir;
    CFakePrompts prompts;
    CID3Tag tag{&prompts};
};

TEST_F(ID3TagTest, FilesWithoutATagReadFalseQuietlyAndGetABlockAppended) {
    ASSERT_TRUE(tag.ReadTag(dir.WriteFile("whole.mp3", RawBlock("Whole", "Band"))));
    EXPECT_EQ(tag.m_strArtist, "Band");
    std::string shortFile = dir.WriteFile("short.mp3", std::string(127, 'x'));
    std::string lower =
        dir.WriteFile("lower.mp3", kAudio + RawBlock("T", "", "", "", "", 1, "tag"));
    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    // Neither a folder nor a pipe is opened as a file, so no read or write is tried on it.
    std::string pipe = dir / "pipe.mp3";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path :
         {shortFile, lower, bare, dir / "missing", dir.MakeFolder("d"), pipe}) {
        EXPECT_FALSE(tag.ReadTag(path)) << path;
        EXPECT_EQ(tag.m_strTitle + tag.m_strYear, "");
        EXPECT_EQ(tag.m_nGenre, -1);
    }
    for (const std::string& path : {shortFile, lower, bare}) {
        std::string before = ReadFileBytes(path);
        tag.m_strTitle = "New";
        ASSERT_TRUE(tag.WriteTag(path)) << path;
        EXPECT_EQ(ReadFileBytes(path), before + RawBlock("New")) << path;
    }
    // A tagged file keeps its length: the block is overwritten in place.
    tag.m_strArtist = "Band";
    ASSERT_TRUE(tag.WriteTag(bare));
    EXPECT_EQ(ReadFileBytes(bare), kAudio + RawBlock("New", "Band"));
    EXPECT_FALSE(tag.WriteTag(dir / "missing"));
    EXPECT_FALSE(tag.WriteTag(pipe));
    EXPECT_FALSE(PathExists(dir / "missing"));
    EXPECT_TRUE(prompts.m_messages.empty());
}

TEST_F(ID3TagTest, TextFieldsAreTrimmedAtTheEndOnlyAndPaddedWithZeros) {
    std::string path = dir.WriteFile("t.mp3", RawBlock(std::string("Four   \0junk", 12), "  lead",
                                                       std::string(30, ' '), "", "tabs\t\r\n\v\f"));
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.m_strTitle, "Four");
    EXPECT_EQ(tag.m_strArtist, "  lead");
    EXPECT_EQ(tag.m_strAlbum, "");
    EXPECT_EQ(tag.m_strComment, "tabs");
    tag.m_strTitle = std::string(40, 'T');
    tag.m_strArtist = "Fiver";
    tag.m_strComment = std::string(30, 'c');
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(Tail(path), RawBlock(std::string(30, 'T'), "Fiver", std::string(30, ' '), "",
                                   std::string(30, 'c')));
}

// Genre bytes outside the table read as none (an unchanged genre keeps its byte: see the
// round trip below); years only where the field holds a number.
TEST_F(ID3TagTest, GenreAndYearFieldsReadAsNumbersOrNone) {
    for (unsigned char byte : {0, 144, 145, 255}) {
        ASSERT_TRUE(tag.ReadTag(dir.WriteFile("g.mp3", RawBlock("S", "", "", "", "", byte))));
        EXPECT_EQ(tag.m_nGenre, byte <= 144 ? byte : -1);
    }
    for (int genre : {17, -1}) {
        tag.m_nGenre = genre;
        ASSERT_TRUE(tag.WriteTag(dir / "g.mp3"));
        EXPECT_EQ(Tail(dir / "g.mp3", 1), genre < 0 ? "\xff" : "\x11");
    }
    std::pair<std::string, int> years[] = {{"2001", 2001}, {"0000", -1}, {"", -1},
                                           {"abcd", -1},   {"19ab", 19}, {"99", 99}};
    for (const auto& [field, year] : years) {
        CHitDoc entry(dir.WriteFile("y.mp3", RawBlock("S", "", "", field)));
        ASSERT_TRUE(ReadEntryTag(entry));
        EXPECT_EQ(entry.Year(), year) << field;
    }
}

TEST_F(ID3TagTest, TrackNumberOfVersionOnePointOneIsKeptWhenTheCommentLeavesRoom) {
    std::string comment = "Nice" + std::string(25, '\0') + '\x07';
    std::string path = dir.WriteFile("t.mp3", kAudio + RawBlock("S", "", "", "", comment));
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.m_strComment, "Nice");
    EXPECT_EQ(tag.m_nTrack, 7);
    std::pair<std::string, std::string> writes[] = {
        {std::string(28, 'x'), std::string(28, 'x') + '\0' + '\x07'},
        {std::string(29, 'y'), std::string(29, 'y') + '\0'},  // no room: the track goes
        {std::string(30, 'z'), std::string(30, 'z')},         // no track: all 30 bytes
    };
    for (const auto& [text, field] : writes) {
        tag.m_strComment = text;
        ASSERT_TRUE(tag.WriteTag(path));
        EXPECT_EQ(Tail(path).substr(97, 30), field);
    }
}

TEST_F(ID3TagTest, TextIsLatinOneOnDiskAndUtf8InMemory) {
    std::string path = dir.WriteFile("t.mp3", RawBlock("Caf\xe9", "\xff\xa0x"));
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.m_strTitle, "Caf\u00e9");
    EXPECT_EQ(tag.m_strArtist, "\u00ff\u00a0x");
    tag.m_strTitle = "\u20ac uro";  // outside Latin-1
    tag.m_strArtist.clear();
    for (int i = 0; i < 31; ++i)
        tag.m_strArtist += "\u00e9";  // 62 bytes in memory, 31 on disk
    tag.m_strAlbum = "raw\xe9";       // not UTF-8: passes through byte for byte
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(Tail(path).substr(3, 90),
              RawField("? uro", 30) + std::string(30, '\xe9') + RawField("raw\xe9", 30));

    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToLatin1(Latin1ToUtf8(all)), all);
    // Sequences that are not UTF-8 (overlong, surrogate, cut short, beyond U+10FFFF)
    // pass through as bytes; characters beyond Latin-1 become "?".
    for (std::string raw : {"\xc0\x80", "\xed\xa0\x80", "\xe2\x82", "\xf4\x90\x80\x80"})
        EXPECT_EQ(Utf8ToLatin1(raw), raw);
    EXPECT_EQ(Utf8ToLatin1("\xc2\x80-\xf0\x9f\x8e\xb5"), "\x80-?");
}

TEST_F(ID3TagTest, AnyBlockReadAndWrittenBackLeavesEveryByte) {
    std::mt19937 random(20260);
    std::uniform_int_distribution<int> byte(0, 255), pick(0, 7);
    const std::string likely(
        "\0 \t9a\xe9\xff"
        "1",
        8);  // zeros, blanks, digits, letters
    for (int round = 0; round < 120; ++round) {
        std::string block = "TAG";
        for (int i = 3; i < 128; ++i)
            block += round % 2 ? static_cast<char>(byte(random)) : likely[pick(random)];
        CHitDoc entry(dir.WriteFile("r.mp3", kAudio + block));
        ASSERT_TRUE(ReadEntryTag(entry));
        ASSERT_TRUE(WriteEntryTag(entry));
        ASSERT_EQ(ReadFileBytes(entry.m_strPath.Get()), kAudio + block) << "round " << round;
    }
}

TEST_F(ID3TagTest, AWriteThatFailsLeavesTheFileAsItWas) {
    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    std::string tagged = dir.WriteFile("tagged.mp3", kAudio + RawBlock("Old", "Band"));
    tag.m_strTitle = "New title";
    {
        CFileSizeLimit limit(1050);  // the block would cross the limit
        EXPECT_FALSE(tag.WriteTag(bare));
        EXPECT_FALSE(tag.WriteTag(tagged));
    }
    {
        CFileSizeLimit limit(900);  // the block would start beyond it
        EXPECT_FALSE(tag.WriteTag(bare));
    }
    EXPECT_EQ(ReadFileBytes(bare), kAudio);
    EXPECT_EQ(ReadFileBytes(tagged), kAudio + RawBlock("Old", "Band"));
    EXPECT_EQ(prompts.m_messages,
              std::vector<std::string>(3, "Cannot open file. Access is denied."));
    ASSERT_TRUE(tag.WriteTag(bare));
    EXPECT_EQ(ReadFileBytes(bare), kAudio + RawBlock("New title"));
}

// Another user's file that this user may write takes the tag too: only its owner may
// keep its access time, so the open falls back to a plain one.
TEST_F(ID3TagTest, AFileOfAnotherUserThatThisOneMayWriteTakesTheTag) {
    std::string shared = dir.WriteFile("shared.mp3", kAudio);
    ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(shared.c_str(), 0666), 0);
    COtherUser user;
    if (!user.Switched())
        GTEST_SKIP() << "needs root to act as another user";
    tag.m_strTitle = "Shared";
    ASSERT_TRUE(tag.WriteTag(shared));
    EXPECT_EQ(ReadFileBytes(shared), kAudio + RawBlock("Shared"));
}

TEST_F(ID3TagTest, APathHoldingAZeroByteNamesNoFile) {
    std::string tagged = dir.WriteFile("tagged.mp3", kAudio + RawBlock("Old"));
    tag.m_strTitle = "New";
    // Cut at the zero byte, the path would name the tagged file.
    EXPECT_FALSE(tag.WriteTag(tagged + std::string(1, '\0') + ".bak"));
    EXPECT_FALSE(tag.ReadTag(tagged + std::string(1, '\0')));
    EXPECT_EQ(ReadFileBytes(tagged), kAudio + RawBlock("Old"));
}

}  // namespace
