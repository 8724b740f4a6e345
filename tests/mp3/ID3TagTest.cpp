// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "mp3/ID3Tag.h"
#include "mp3/Latin1Text.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/TagFile.h"

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
    ASSERT_TRUE(tag.ReadTag(dir.WriteFile("whole.mp3", RawBlock("Whole", "Band", "", "1999"))));
    std::string shortFile = dir.WriteFile("short.mp3", std::string(127, 'x'));
    std::string lower =
        dir.WriteFile("lower.mp3", kAudio + RawBlock("T", "", "", "", "", 1, "tag"));
    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    for (const std::string& path : {shortFile, lower, bare, dir / "missing", dir.MakeFolder("d")}) {
        EXPECT_FALSE(tag.ReadTag(path)) << path;
        EXPECT_EQ(tag.m_strTitle + tag.m_strYear + std::to_string(tag.m_nGenre), "-1");
    }
    tag.m_strTitle = "New";
    for (const std::string& path : {shortFile, lower, bare}) {
        std::string before = ReadFileBytes(path);
        ASSERT_TRUE(tag.WriteTag(path)) << path;
        EXPECT_EQ(ReadFileBytes(path), before + RawBlock("New")) << path;
    }
    // A tagged file keeps its length: the block is overwritten in place.
    tag.m_strArtist = "Band";
    ASSERT_TRUE(tag.WriteTag(bare));
    EXPECT_EQ(ReadFileBytes(bare), kAudio + RawBlock("New", "Band"));
    EXPECT_FALSE(tag.WriteTag(dir / "missing") || PathExists(dir / "missing"));
    EXPECT_TRUE(prompts.m_messages.empty());
}

TEST_F(ID3TagTest, TextFieldsAreTrimmedAtTheEndAndLatinOneOnDisk) {
    std::string path = dir.WriteFile("t.mp3", RawBlock(std::string("Four   \0junk", 12), "  lead",
                                                       std::string(30, ' '), "", "tabs\t\r\n\v\f"));
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(
        tag.m_strTitle + "|" + tag.m_strArtist + "|" + tag.m_strAlbum + "|" + tag.m_strComment,
        "Four|  lead||tabs");
    tag.m_strTitle = std::string(40, 'T');
    tag.m_strArtist = "Fiver";
    tag.m_strComment = std::string(30, 'c');
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(Tail(path), RawBlock(std::string(30, 'T'), "Fiver", std::string(30, ' '), "",
                                   std::string(30, 'c')));
    // Text is Latin-1 on disk and UTF-8 in memory.
    path = dir.WriteFile("t.mp3", RawBlock("Caf\xe9", "\xff\xa0x"));
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.m_strTitle + tag.m_strArtist, "Caf\u00e9\u00ff\u00a0x");
    tag.m_strTitle = "\u20ac uro";  // outside Latin-1
    tag.m_strArtist.clear();
    for (int i = 0; i < 31; ++i)
        tag.m_strArtist += "\u00e9";  // 62 bytes in memory, 31 on disk
    tag.m_strAlbum = "raw\xe9";       // not UTF-8: passes through byte for byte
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(Tail(path).substr(3, 90),
              RawField("? uro", 30) + std::string(30, '\xe9') + RawField("raw\xe9", 30));
    // Sequences that are not UTF-8 (overlong, surrogate, cut short, beyond U+10FFFF)
    // pass through as bytes; characters beyond Latin-1 become "?".
    for (std::string raw : {"\xc0\x80", "\xed\xa0\x80", "\xe2\x82", "\xf4\x90\x80\x80"})
        EXPECT_EQ(Utf8ToLatin1(raw), raw);
}

// Genre bytes outside the table read as none (an unchanged genre keeps its byte, as the
// fuzz target's round trip checks).
TEST_F(ID3TagTest, GenreAndTrackReadAsNumbersOrNone) {
    for (unsigned char byte : {0, 144, 145, 255}) {
        ASSERT_TRUE(tag.ReadTag(dir.WriteFile("g.mp3", RawBlock("S", "", "", "", "", byte))));
        EXPECT_EQ(tag.m_nGenre, byte <= 144 ? byte : -1);
    }
    // A version 1.1 track number is kept when the comment leaves room.
    std::string comment = "Nice" + std::string(25, '\0') + '\x07';
    std::string path = dir.WriteFile("t.mp3", kAudio + RawBlock("S", "", "", "", comment));
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.m_strComment + std::to_string(tag.m_nTrack), "Nice7");
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
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.m_strComment + std::to_string(tag.m_nTrack), std::string(30, 'z') + "0");
}

}  // namespace
