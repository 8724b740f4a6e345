#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <random>

#include "model/HitDoc.h"
#include "mp3/ID3Tag.h"
#include "mp3/Id3Block.h"
#include "mp3/Latin1Text.h"
#include "mp3/TagFile.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"

namespace {

const std::string kAudio(1000, 'a');

class ID3TagTest : public ::testing::Test {
protected:
    // Reads the file's tag into a fresh object; the object's fields stay for checks.
    bool Read(const std::string& path) { return tag.ReadTag(path); }
    std::string Tail(const std::string& path, size_t n = 128) {
        std::string bytes = ReadFileBytes(path);
        return bytes.substr(bytes.size() - n);
    }

    CTempDir dir;
    CFakePrompts prompts;
    CID3Tag tag{&prompts};
};

TEST_F(ID3TagTest, FilesWithoutATagReadFalseQuietlyAndGetABlockAppended) {
    std::string whole = dir.WriteFile("whole.mp3", RawBlock("Whole", "Band"));
    ASSERT_TRUE(Read(whole));
    EXPECT_EQ(tag.m_strTitle, "Whole");
    EXPECT_EQ(tag.m_strArtist, "Band");

    std::string shortFile = dir.WriteFile("short.mp3", std::string(127, 'x'));
    EXPECT_FALSE(Read(shortFile));
    std::string lower =
        dir.WriteFile("lower.mp3", kAudio + RawBlock("T", "", "", "", "", 1, "tag"));
    EXPECT_FALSE(Read(lower));
    EXPECT_EQ(tag.m_strTitle, "");
    EXPECT_EQ(tag.m_nGenre, -1);
    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    EXPECT_FALSE(Read(bare));
    EXPECT_FALSE(Read(dir / "missing.mp3"));
    EXPECT_FALSE(Read(dir.MakeFolder("folder.mp3")));
    EXPECT_TRUE(prompts.m_messages.empty());

    tag.m_strTitle = "New";
    for (const std::string& path : {shortFile, lower, bare}) {
        std::string before = ReadFileBytes(path);
        ASSERT_TRUE(tag.WriteTag(path)) << path;
        std::string after = ReadFileBytes(path);
        ASSERT_EQ(after.size(), before.size() + 128) << path;
        EXPECT_EQ(after.substr(0, before.size()), before) << path;
        EXPECT_EQ(after.substr(before.size(), 3), "TAG") << path;
        EXPECT_TRUE(Read(path));
        EXPECT_EQ(tag.m_strTitle, "New");
        tag.m_strTitle = "New";
    }
    EXPECT_EQ(ReadFileBytes(bare).find("TAG"), 1000u);
    EXPECT_FALSE(tag.WriteTag(dir / "missing.mp3"));
    EXPECT_FALSE(PathExists(dir / "missing.mp3"));
    EXPECT_TRUE(prompts.m_messages.empty());
}

TEST_F(ID3TagTest, WritingATaggedFileOverwritesItsBlockInPlace) {
    std::string path = dir.WriteFile("t.mp3", kAudio + RawBlock("Old", "Band", "Album", "1999"));
    ASSERT_TRUE(Read(path));
    tag.m_strTitle = "Newer";
    ASSERT_TRUE(tag.WriteTag(path));
    std::string after = ReadFileBytes(path);
    ASSERT_EQ(after.size(), 1128u);
    EXPECT_EQ(after.substr(0, 1000), kAudio);
    EXPECT_EQ(after.substr(1000), RawBlock("Newer", "Band", "Album", "1999"));
}

TEST_F(ID3TagTest, TextFieldsAreTrimmedAtTheEndOnlyAndPaddedWithZeros) {
    std::string path =
        dir.WriteFile("t.mp3", RawBlock(std::string("Four   \0junk", 12), "  lead",
                                        std::string(30, ' '), "", std::string(30, 'c'), 255));
    ASSERT_TRUE(Read(path));
    EXPECT_EQ(tag.m_strTitle, "Four");
    EXPECT_EQ(tag.m_strArtist, "  lead");
    EXPECT_EQ(tag.m_strAlbum, "");
    EXPECT_EQ(tag.m_strComment, std::string(30, 'c'));

    dir.WriteFile("ws.mp3", RawBlock("tabs\t\r\n\v\f"));
    ASSERT_TRUE(Read(dir / "ws.mp3"));
    EXPECT_EQ(tag.m_strTitle, "tabs");

    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    tag.m_strTitle = std::string(40, 'T');
    tag.m_strArtist = "Fiver";
    tag.m_strAlbum = "";
    tag.m_strYear = "";
    tag.m_strComment = "";
    tag.m_nGenre = -1;
    ASSERT_TRUE(tag.WriteTag(bare));
    EXPECT_EQ(Tail(bare), RawBlock(std::string(30, 'T'), "Fiver", "", "", "", 255));
    EXPECT_EQ(Tail(bare).substr(33, 30), "Fiver" + std::string(25, '\0'));
}

TEST_F(ID3TagTest, GenreBytesOutsideTheTableReadAsNoneButSurviveAnUnchangedWrite) {
    struct {
        unsigned char byte;
        int genre;
    } cases[] = {{0, 0}, {144, 144}, {145, -1}, {200, -1}, {255, -1}};
    for (auto c : cases) {
        std::string path =
            dir.WriteFile("g.mp3", kAudio + RawBlock("Song", "", "", "", "", c.byte));
        ASSERT_TRUE(Read(path));
        EXPECT_EQ(tag.m_nGenre, c.byte <= 144 ? c.genre : -1) << int(c.byte);
        tag.m_strTitle = "Changed";
        ASSERT_TRUE(tag.WriteTag(path));
        EXPECT_EQ(static_cast<unsigned char>(Tail(path, 1)[0]), c.byte) << int(c.byte);
    }
    // A genre the user changed is written as its number; no genre as 255.
    tag.m_nGenre = 17;
    ASSERT_TRUE(tag.WriteTag(dir / "g.mp3"));
    EXPECT_EQ(Tail(dir / "g.mp3", 1), "\x11");
    tag.m_nGenre = -1;
    ASSERT_TRUE(tag.WriteTag(dir / "g.mp3"));
    EXPECT_EQ(Tail(dir / "g.mp3", 1), "\xff");
}

TEST_F(ID3TagTest, YearTextsBecomeYearsOnlyWhenTheyHoldANumber) {
    struct {
        std::string field;
        int year;
    } cases[] = {{"2001", 2001}, {"0000", -1}, {"", -1}, {"abcd", -1}, {"19ab", 19}, {"99", 99}};
    for (const auto& c : cases) {
        CHitDoc entry(dir.WriteFile("y.mp3", RawBlock("S", "", "", c.field)));
        ASSERT_TRUE(ReadEntryTag(entry));
        EXPECT_EQ(entry.m_nYear, c.year) << c.field;
    }
    CHitDoc entry(dir.WriteFile("new.mp3", kAudio));
    entry.m_strTitle.Set("S");
    ASSERT_TRUE(WriteEntryTag(entry));
    EXPECT_EQ(Tail(entry.m_strPath.Get()).substr(93, 4), std::string(4, '\0'));
    EXPECT_FALSE(entry.IsTagChanged());
}

TEST_F(ID3TagTest, TrackNumberOfVersionOnePointOneIsKeptWhenTheCommentLeavesRoom) {
    std::string comment = std::string("Nice") + std::string(24, '\0') + '\0' + '\x07';
    std::string path = dir.WriteFile("t.mp3", kAudio + RawBlock("S", "", "", "", comment));
    ASSERT_TRUE(Read(path));
    EXPECT_EQ(tag.m_strComment, "Nice");
    EXPECT_EQ(tag.m_nTrack, 7);

    tag.m_strComment = std::string(28, 'x');
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(Tail(path).substr(97, 30), std::string(28, 'x') + '\0' + '\x07');
    ASSERT_TRUE(Read(path));
    EXPECT_EQ(tag.m_nTrack, 7);

    tag.m_strComment = std::string(29, 'y');
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(Tail(path).substr(97, 30), std::string(29, 'y') + '\0');
    ASSERT_TRUE(Read(path));
    EXPECT_EQ(tag.m_nTrack, 0);

    // Without a track number the comment has all 30 bytes.
    tag.m_strComment = std::string(30, 'z');
    ASSERT_TRUE(tag.WriteTag(path));
    EXPECT_EQ(Tail(path).substr(97, 30), std::string(30, 'z'));
}

TEST_F(ID3TagTest, TextIsLatinOneOnDiskAndUtf8InMemory) {
    std::string path = dir.WriteFile("t.mp3", RawBlock("Caf\xe9", "\xff\xa0x"));
    ASSERT_TRUE(Read(path));
    EXPECT_EQ(tag.m_strTitle, "Caf\u00e9");
    EXPECT_EQ(tag.m_strArtist, "\u00ff\u00a0x");

    tag.m_strTitle = "\u20ac uro";  // outside Latin-1
    std::string thirty;
    for (int i = 0; i < 31; ++i)
        thirty += "\u00e9";  // 62 bytes in memory, 31 on disk
    tag.m_strArtist = thirty;
    tag.m_strAlbum = "raw\xe9";  // not UTF-8: passes through byte for byte
    ASSERT_TRUE(tag.WriteTag(path));
    std::string block = Tail(path);
    EXPECT_EQ(block.substr(3, 30), RawField("? uro", 30));
    EXPECT_EQ(block.substr(33, 30), std::string(30, '\xe9'));
    EXPECT_EQ(block.substr(63, 30), RawField("raw\xe9", 30));
}

TEST_F(ID3TagTest, AnyBlockReadAndWrittenBackLeavesEveryByte) {
    std::mt19937 random(20260);
    std::uniform_int_distribution<int> byte(0, 255), small(0, 6);
    // Bytes a tag is likely to hold: zeros, blanks, digits, letters, high bytes.
    const std::string alphabet = std::string(
        "\0 \t9a\xe9\xff"
        "1",
        8);
    for (int round = 0; round < 120; ++round) {
        std::string block = "TAG";
        for (int i = 3; i < 127; ++i)
            block += round % 2 ? static_cast<char>(byte(random)) : alphabet[small(random)];
        block += static_cast<char>(byte(random));
        std::string original = kAudio + block;
        CHitDoc entry(dir.WriteFile("r.mp3", original));
        ASSERT_TRUE(ReadEntryTag(entry));
        ASSERT_TRUE(WriteEntryTag(entry));
        ASSERT_EQ(ReadFileBytes(entry.m_strPath.Get()), original) << "round " << round;
    }
}

// Sets a file size limit for the scope; the signal it raises is ignored so that the
// write fails with an error instead of ending the process.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t limit) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~CFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

TEST_F(ID3TagTest, AWriteThatFailsLeavesTheFileAsItWas) {
    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    std::string tagged = dir.WriteFile("tagged.mp3", kAudio + RawBlock("Old", "Band"));
    tag.m_strTitle = "New title";
    bool appended, overwritten, beyond;
    {
        CFileSizeLimit limit(1050);
        appended = tag.WriteTag(bare);
        overwritten = tag.WriteTag(tagged);
    }
    {
        CFileSizeLimit limit(900);
        beyond = tag.WriteTag(bare);
    }
    EXPECT_FALSE(appended);
    EXPECT_FALSE(overwritten);
    EXPECT_FALSE(beyond);
    EXPECT_EQ(ReadFileBytes(bare), kAudio);
    EXPECT_EQ(ReadFileBytes(tagged), kAudio + RawBlock("Old", "Band"));
    EXPECT_EQ(prompts.m_messages,
              std::vector<std::string>(3, "Cannot open file. Access is denied."));
    ASSERT_TRUE(tag.WriteTag(bare));
    EXPECT_EQ(ReadFileBytes(bare).size(), 1128u);
}

TEST(ID3NameTest, SplitNameCutsAtTheFirstSeparatorAndNeedsTwoParts) {
    struct {
        const char* separator;
        bool artistFirst;
        const char* name;
        bool result;
        const char* artist;
        const char* title;
    } cases[] = {
        {" - ", true, "Band - Song", true, "Band", "Song"},
        {" - ", false, "Band - Song", true, "Song", "Band"},
        {" - ", true, "X - Y - Z", true, "X", "Y - Z"},
        {" - ", true, "Band-Song", false, "", ""},
        {"-", true, "Band-Song", true, "Band", "Song"},
        {"-", true, "Band - Song", true, "Band ", " Song"},
        {" - ", true, " - Song", true, "", ""},
        {" - ", true, "Band - ", true, "", ""},
        {" x ", true, "Band X Song", false, "", ""},
        {"", true, "Band - Song", false, "", ""},
    };
    for (const auto& c : cases) {
        CID3Tag tag;
        tag.m_strSeparator = c.separator;
        tag.m_bArtistFirst = c.artistFirst;
        EXPECT_EQ(tag.SplitName(c.name), c.result) << c.name << " / " << c.separator;
        EXPECT_EQ(tag.m_strArtist, c.artist) << c.name << " / " << c.separator;
        EXPECT_EQ(tag.m_strTitle, c.title) << c.name << " / " << c.separator;
    }
}

TEST(ID3NameTest, ComposeNameJoinsInTheChosenOrderAndNeedsOnePart) {
    CID3Tag tag;
    tag.m_strSeparator = " - ";
    std::string name = "unchanged";
    EXPECT_FALSE(tag.ComposeName(name));
    EXPECT_EQ(name, "unchanged");
    tag.m_strArtist = "Band";
    ASSERT_TRUE(tag.ComposeName(name));
    EXPECT_EQ(name, "Band - ");
    tag.m_strTitle = "Song";
    tag.m_bArtistFirst = false;
    ASSERT_TRUE(tag.ComposeName(name));
    EXPECT_EQ(name, "Song - Band");
}

}  // namespace

namespace {

TEST(Latin1TextTest, EveryByteRoundTripsAndOnlyValidUtf8IsDecoded) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToLatin1(Latin1ToUtf8(all)), all);
    struct {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"\xc2\x80", "\x80"},
        {"\xc3\xa9t\xc3\xa9", "\xe9t\xe9"},
        {"\xe2\x82\xac", "?"},
        {"\xf0\x9f\x8e\xb5!", "?!"},
        {"\xc0\x80", "\xc0\x80"},          // overlong: not UTF-8, kept as bytes
        {"\xed\xa0\x80", "\xed\xa0\x80"},  // a surrogate
        {"\xe2\x82", "\xe2\x82"},          // cut short
        {"\xf4\x90\x80\x80", "\xf4\x90\x80\x80"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToLatin1(c.text), c.bytes) << c.text;
}

}  // namespace
