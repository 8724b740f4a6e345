// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "mp3/ID3Tag.h"
#include "mp3/Id3v2Files.h"
#include "mp3/Mp3Fixture.h"

namespace {

constexpr unsigned char kRock = 17;
constexpr int kJazz = 8;
constexpr unsigned char kNoGenre = 255;

class Id3v2TagTest : public ::testing::Test {
protected:
    // A 2.3 or 2.4 tag with the six fields in Latin-1 and the frames a write must keep.
    static std::string FullTag(int version, size_t padding = 256) {
        std::vector<std::string> frames = {
            V2Text(version, "TIT2", "Title"),
            V2Text(version, "TPE1", "Artist"),
            V2Text(version, "TALB", "Album"),
            V2Text(version, version == 4 ? "TDRC" : "TYER", version == 4 ? "2004-05-06" : "2004"),
            V2Text(version, "TCON", "(17)"),
            V2Comment(version, "Comment")};
        for (const std::string& frame : KeptFrames(version))
            frames.push_back(frame);
        return V2Tag(version, frames, padding);
    }
    std::string Fields() const {
        return tag.m_strTitle + "|" + tag.m_strArtist + "|" + tag.m_strAlbum + "|" + tag.m_strYear +
               "|" + std::to_string(tag.m_nGenre) + "|" + tag.m_strComment;
    }
    // The file's bytes after its ID3v2 tag of the given length, up to its ID3v1 block.
    std::string Audio(const std::string& path, size_t tagLength) const {
        std::string bytes = ReadFileBytes(path);
        return bytes.substr(tagLength, bytes.size() - tagLength - 128);
    }
    static size_t TagLength(const std::string& bytes) {
        size_t size = 0;
        for (size_t i = 6; i < 10; ++i)
            size = (size << 7) | static_cast<unsigned char>(bytes[i]);
        return 10 + size;
    }
    std::string Reread(const std::string& path) {
        CID3Tag fresh;
        EXPECT_TRUE(fresh.ReadTag(path));
        return fresh.m_strTitle + "|" + fresh.m_strArtist + "|" + fresh.m_strAlbum + "|" +
               fresh.m_strYear + "|" + std::to_string(fresh.m_nGenre) + "|" + fresh.m_strComment;
    }

    CTempDir dir;
    CFakePrompts prompts;
    CID3Tag tag{&prompts};
};

// Every version is read, and where a file has both tags the ID3v2 one is what it reads as.
TEST_F(Id3v2TagTest, EachVersionIsReadAndWinsOverTheId3v1Block) {
    std::string v22 = V2Tag(2, {V2Text(2, "TT2", "Old title"), V2Text(2, "TP1", "Old artist"),
                                V2Text(2, "TAL", "Old album"), V2Text(2, "TYE", "1987"),
                                V2Text(2, "TCO", "Rock"), V2Comment(2, "Old comment")});
    std::string block = RawBlock("v1 title", "v1 artist", "", "1999", "", 0);
    const std::pair<std::string, std::string> files[] = {
        {v22 + kAudio + block, "Old title|Old artist|Old album|1987|17|Old comment"},
        {FullTag(3) + kAudio + block, "Title|Artist|Album|2004|17|Comment"},
        {FullTag(4) + kAudio, "Title|Artist|Album|2004|17|Comment"},
        {kAudio + block, "v1 title|v1 artist||1999|0|"}};
    const char* presence[] = {"v1 + v2.2", "v1 + v2.3", "v2.4", "v1"};
    for (size_t i = 0; i < std::size(files); ++i) {
        std::string path = dir.WriteFile("f" + std::to_string(i) + ".mp3", files[i].first);
        ASSERT_TRUE(tag.ReadTag(path)) << i;
        EXPECT_EQ(Fields(), files[i].second) << i;
        EXPECT_EQ(TagPresenceText(tag.Presence()), presence[i]);
    }
    EXPECT_TRUE(prompts.m_messages.empty());
}

// A genre is one of the table by name or number; anything else reads as none and is kept
// until the genre is changed. The comment is the one without a description.
TEST_F(Id3v2TagTest, GenresOutsideTheTableAreKeptAndTheCommentIsTheUndescribedOne) {
    const std::pair<std::string, int> genres[] = {
        {"(17)", kRock}, {"17", kRock}, {"Rock", kRock}, {"jazz", kJazz}, {"(17)Rock", kRock},
        {"Chillwave", -1}, {"(300)", -1}, {"(17)(8)", -1}};
    for (const auto& [tcon, genre] : genres) {
        std::string path = dir.WriteFile("g.mp3", V2Tag(3, {V2Text(3, "TCON", tcon)}) + kAudio);
        ASSERT_TRUE(tag.ReadTag(path));
        EXPECT_EQ(tag.m_nGenre, genre) << tcon;
    }
    std::string foreign = V2Text(3, "TCON", "Chillwave");
    std::string path = dir.WriteFile(
        "c.mp3", V2Tag(3, {foreign, V2Comment(3, "iTunes data", "iTunNORM"), V2Comment(3, "mine")}) +
                     kAudio);
    ASSERT_TRUE(tag.ReadTag(path));
    EXPECT_EQ(tag.m_strComment, "mine");
    tag.m_strTitle = "Retitled";
    tag.m_strComment = "changed";
    ASSERT_TRUE(tag.WriteTag(path));
    std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.find(foreign), std::string::npos);
    EXPECT_NE(bytes.find(V2Comment(3, "iTunes data", "iTunNORM")), std::string::npos);
    EXPECT_EQ(Reread(path), "Retitled||||-1|changed");
    tag.m_nGenre = kJazz;
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(ReadFileBytes(path).find(foreign), std::string::npos);
    EXPECT_EQ(Reread(path), "Retitled||||8|changed");
}

// An edit changes only its field's frame: pictures, lyrics, unknown frames and the audio
// keep every byte, in place, and the version stays.
TEST_F(Id3v2TagTest, OtherFramesAndTheAudioSurviveByteForByte) {
    for (int version : {3, 4}) {
        std::string old = FullTag(version);
        std::string path = dir.WriteFile("k.mp3", old + kAudio + RawBlock("Title", "Artist"));
        struct stat before;
        ASSERT_EQ(stat(path.c_str(), &before), 0);
        ASSERT_TRUE(tag.ReadTag(path));
        tag.m_strTitle = "Another title";
        tag.m_nGenre = kJazz;
        ASSERT_TRUE(tag.WriteTag(path));
        std::string bytes = ReadFileBytes(path);
        EXPECT_EQ(bytes.size(), old.size() + kAudio.size() + 128) << version;
        EXPECT_EQ(bytes[3], static_cast<char>(version));
        for (const std::string& frame : KeptFrames(version))
            EXPECT_NE(bytes.find(frame), std::string::npos) << version << " " << frame.substr(0, 4);
        for (const char* kept : {"TPE1", "TALB", "COMM"})
            EXPECT_NE(bytes.find(kept), std::string::npos) << kept;
        EXPECT_EQ(Audio(path, old.size()), kAudio);
        EXPECT_EQ(Reread(path), "Another title|Artist|Album|2004|8|Comment");
        struct stat after;
        ASSERT_EQ(stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(tag.Id3v2Note(), "");
    }
}

// Long and non-Latin texts are kept whole in ID3v2, each version in its own encoding;
// ID3v1 gets the cut Latin-1 copy.
TEST_F(Id3v2TagTest, LongAndNonLatinTextsStayWholeWhileId3v1GetsItsCutCopy) {
    const std::string title = "東京 — a title well beyond the thirty bytes of ID3v1";
    const std::string artist = "Sigur Rós";
    for (int version : {3, 4}) {
        std::string path = dir.WriteFile("u.mp3", FullTag(version, 16) + kAudio);
        ASSERT_TRUE(tag.ReadTag(path));
        tag.m_strTitle = title;
        tag.m_strArtist = artist;
        tag.m_strComment = std::string(200, 'c');
        ASSERT_TRUE(tag.WriteTag(path));
        EXPECT_EQ(Reread(path), title + "|" + artist + "|Album|2004|17|" + std::string(200, 'c'));
        std::string bytes = ReadFileBytes(path);
        EXPECT_EQ(bytes.substr(bytes.size() - 128),
                  RawBlock("?? ? a title well beyond the t", "Sigur R\xF3s", "Album", "2004",
                           std::string(30, 'c'), kRock));
        EXPECT_EQ(Audio(path, TagLength(bytes)), kAudio);
        EXPECT_EQ(tag.Id3v2Note(), kId3v2WrittenAnewNote);
    }
}

// A file with only an ID3v2 tag gets an ID3v1 block; one whose ID3v2 header is broken
// keeps its first bytes and says why; a 2.2 tag becomes 2.3 and says so.
TEST_F(Id3v2TagTest, OneTagOnlyABrokenHeaderAndA22Tag) {
    std::string onlyV2 = dir.WriteFile("only.mp3", FullTag(3) + kAudio);
    ASSERT_TRUE(tag.ReadTag(onlyV2));
    tag.m_strTitle = "T";
    ASSERT_TRUE(tag.WriteTag(onlyV2));
    EXPECT_EQ(Reread(onlyV2), "T|Artist|Album|2004|17|Comment");
    EXPECT_EQ(ReadFileBytes(onlyV2).substr(FullTag(3).size() + kAudio.size()),
              RawBlock("T", "Artist", "Album", "2004", "Comment", kRock));

    std::string broken = "ID3\x09\x00\x00\x00\x00\x02\x01" + std::string(257, 'z');
    std::string brokenPath =
        dir.WriteFile("broken.mp3", broken + kAudio + RawBlock("Old", "", "", "", "", kNoGenre));
    ASSERT_TRUE(tag.ReadTag(brokenPath));
    EXPECT_EQ(tag.m_strTitle, "Old");
    EXPECT_EQ(TagPresenceText(tag.Presence()), "v1 + v2 (unreadable)");
    tag.m_strTitle = "New";
    ASSERT_TRUE(tag.WriteTag(brokenPath));
    EXPECT_EQ(ReadFileBytes(brokenPath), broken + kAudio + RawBlock("New"));
    EXPECT_EQ(tag.Id3v2Note(), kId3v2UnreadableNote);

    std::string v22 = dir.WriteFile(
        "v22.mp3", V2Tag(2, {V2Text(2, "TT2", "Old"), V2Text(2, "TP1", "Band")}, 512) + kAudio);
    ASSERT_TRUE(tag.ReadTag(v22));
    tag.m_strTitle = "Neu";
    ASSERT_TRUE(tag.WriteTag(v22));
    EXPECT_EQ(ReadFileBytes(v22)[3], '\3');
    EXPECT_EQ(Reread(v22), "Neu|Band|||-1|");
    EXPECT_EQ(tag.Id3v2Note(), kId3v2ConvertedNote);
}

// A file without an ID3v2 tag gets none unless asked; then an ID3v2.3 tag with every field.
TEST_F(Id3v2TagTest, AFileWithoutId3v2GetsOneOnlyWithTheOption) {
    std::string path = dir.WriteFile("plain.mp3", kAudio);
    chmod(path.c_str(), 0640);
    tag.m_strTitle = "Title";
    tag.m_strArtist = "Ärtist";
    tag.m_strYear = "1999";
    tag.m_nGenre = kRock;
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(ReadFileBytes(path), kAudio + RawBlock("Title", "\xC4rtist", "", "1999", "", kRock));
    tag.m_bAddId3v2 = true;
    tag.m_strAlbum = "Album";
    ASSERT_TRUE(tag.WriteTag(path));
    std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.substr(0, 4), "ID3\x03");
    EXPECT_EQ(Audio(path, TagLength(bytes)), kAudio);
    EXPECT_EQ(Reread(path), "Title|Ärtist|Album|1999|17|");
    struct stat facts;
    ASSERT_EQ(stat(path.c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0640u);
}

// A tag only TagLib can render (2.2 here) keeps the room it had, however much padding it
// held, so that a change that fits is written in place: the file keeps its length and its
// inode.
TEST_F(Id3v2TagTest, ATagRenderedByTagLibKeepsItsRoom) {
    constexpr size_t kLongPadding = 2 * 1024 * 1024;
    std::string v22 = V2Tag(2, {V2Text(2, "TT2", "Old"), V2Text(2, "TP1", "Band")}, kLongPadding);
    std::string path = dir.WriteFile("v22.mp3", v22 + kAudio);
    struct stat before;
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    ASSERT_TRUE(tag.ReadTag(path));
    tag.m_strTitle = "Neu";
    ASSERT_TRUE(tag.WriteTag(path));
    std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(TagLength(bytes), v22.size());
    EXPECT_EQ(bytes.size(), v22.size() + kAudio.size() + 128);
    struct stat after;
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

// A tag holding a frame whose id no frame can have is not rewritten: its bytes stay as
// they were, the edit goes to the ID3v1 block, and the note says why.
TEST_F(Id3v2TagTest, ATagWithAnUnreadableFrameIsLeftAlone) {
    std::string v2 =
        V2Tag(3, {V2Text(3, "TIT2", "Old"), V2Frame(3, "ti!2", "junk"), V2Text(3, "TPE1", "Band")});
    std::string path = dir.WriteFile("odd.mp3", v2 + kAudio);
    ASSERT_TRUE(tag.ReadTag(path));
    tag.m_strTitle = "New";
    ASSERT_TRUE(tag.WriteTag(path));
    std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(0, v2.size() + kAudio.size()), v2 + kAudio);
    EXPECT_EQ(bytes.substr(v2.size() + kAudio.size(), 3), "TAG");
    EXPECT_EQ(tag.Id3v2Note(), kId3v2FramesUnreadableNote);
}

// A write that cannot finish leaves the file as it was: the new file is refused by a full
// disk before it takes the old one's name, and a tag that fits is written in one piece.
TEST_F(Id3v2TagTest, AWriteThatFailsMidwayLeavesTheFileAsItWas) {
    std::string old = FullTag(4, 0) + kAudio + RawBlock("Title");
    std::string path = dir.WriteFile("full.mp3", old);
    ASSERT_TRUE(tag.ReadTag(path));
    tag.m_strTitle = std::string(500, 'T');
    {
        CFileSizeLimit limit(old.size());
        EXPECT_FALSE(tag.WriteTag(path));
    }
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(prompts.m_messages.size(), 1u);
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"full.mp3"});
}

}  // namespace
