// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "mp3/Id3v2Fields.h"
#include "mp3/Id3v2Files.h"

namespace {

constexpr int kRock = 17;
constexpr unsigned char kUnsynchronisedFlag = 0x80;
constexpr unsigned char kExtendedHeaderFlag = 0x40;
constexpr unsigned char kFooterFlag = 0x10;

std::string Described(const SId3v2Fields& fields) {
    return fields.strTitle + "|" + fields.strArtist + "|" + fields.strAlbum + "|" +
           fields.strYear + "|" + std::to_string(fields.nGenre) + "|" + fields.strComment;
}

// What the tag reads as, after checking that TagLib parsing the whole tag reads the same.
std::string ReadBothWays(const std::string& tag) {
    SId3v2Fields fromFrames;
    SId3v2Fields fromWholeTag;
    bool read = ReadId3v2Fields(tag, fromFrames);
    EXPECT_EQ(read, ReadId3v2FieldsFromWholeTag(tag, fromWholeTag));
    EXPECT_EQ(Described(fromFrames), Described(fromWholeTag));
    EXPECT_EQ(fromFrames.bForeignGenre, fromWholeTag.bForeignGenre);
    return read ? Described(fromFrames) : "no tag";
}

// What a plain tag reads as: decoded from the fields' frames alone, and the same as TagLib
// parsing the whole tag.
std::string ReadFromFrames(const std::string& tag) {
    SId3v2Fields fields;
    if (!ReadId3v2FieldsFromFieldFrames(tag, fields))
        return "not decoded";
    SId3v2Fields fromWholeTag;
    EXPECT_TRUE(ReadId3v2FieldsFromWholeTag(tag, fromWholeTag));
    EXPECT_EQ(Described(fields), Described(fromWholeTag));
    EXPECT_EQ(fields.bForeignGenre, fromWholeTag.bForeignGenre);
    return Described(fields);
}

// Whether the frames are left to TagLib, which then reads the tag as it always does.
bool LeftToTagLib(const std::string& tag) {
    SId3v2Fields fields;
    ReadBothWays(tag);
    return !ReadId3v2FieldsFromFieldFrames(tag, fields);
}

std::string TitleFrom(int version, const std::string& data) {
    return ReadFromFrames(V2Tag(version, {V2Frame(version, "TIT2", data)}));
}

std::string CommentFrom(const std::vector<std::string>& commentData) {
    std::vector<std::string> frames;
    for (const std::string& data : commentData)
        frames.push_back(V2Frame(3, "COMM", data));
    return ReadFromFrames(V2Tag(3, frames));
}

// The bytes, given as a literal that may hold nulls.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

// The encoding bytes.
const std::string kLatin1(1, '\0');
const std::string kUtf16 = "\1";  // with a byte order mark
const std::string kUtf16BigEndian = "\2";
const std::string kUtf8 = "\3";
const std::string kLittleEndianMark = "\xff\xfe";
const std::string kBigEndianMark = "\xfe\xff";
const std::string kCafeLittleEndian = Bytes("C\0a\0f\0\xe9\0");
const std::string kCafeBigEndian = Bytes("\0C\0a\0f\0\xe9");
const std::string kCafe = "Caf\xc3\xa9";

std::string WithFlags(std::string frame, unsigned char status, unsigned char format) {
    frame[8] = static_cast<char>(status);
    frame[9] = static_cast<char>(format);
    return frame;
}

std::vector<std::string> SixFields(int version) {
    return {V2Text(version, "TIT2", "Title"), V2Text(version, "TPE1", "Artist"),
            V2Text(version, "TALB", "Album"),
            V2Text(version, version == 4 ? "TDRC" : "TYER", "2004"),
            V2Text(version, "TCON", "(17)"), V2Comment(version, "Comment")};
}

std::string PictureFrame(int version) {
    return V2Frame(version, "APIC", std::string(1, '\0') + "image/jpeg" + '\0' + '\3' + '\0' +
                                        std::string(600, '\xd8'));
}

// The six fields come out the same wherever the frames they need lie among others.
TEST(Id3v2FieldsTest, FieldsAmongOtherFramesReadAsTheWholeTagDoes) {
    const std::string six = "Title|Artist|Album|2004|" + std::to_string(kRock) + "|Comment";
    for (int version : {3, 4}) {
        std::vector<std::string> frames = KeptFrames(version);
        for (const std::string& frame : SixFields(version))
            frames.push_back(frame);
        EXPECT_EQ(ReadBothWays(V2Tag(version, frames)), six) << version;

        std::vector<std::string> pictureFirst = {PictureFrame(version)};
        for (const std::string& frame : SixFields(version))
            pictureFirst.push_back(frame);
        EXPECT_EQ(ReadBothWays(V2Tag(version, pictureFirst, 0)), six) << version;
    }
    std::vector<std::string> withFooter = SixFields(4);
    withFooter.push_back(PictureFrame(4));
    std::string footed = V2Tag(4, withFooter, 0, kFooterFlag);
    footed += "3DI" + footed.substr(3, 7);
    EXPECT_EQ(ReadBothWays(footed), six);
}

// TagLib stops at a frame without data; the frames after it are not read either way.
TEST(Id3v2FieldsTest, AFrameWithoutDataEndsTheReading) {
    for (int version : {3, 4}) {
        std::vector<std::string> frames = {V2Text(version, "TIT2", "Title"),
                                           V2Frame(version, "TRCK", ""),
                                           V2Text(version, "TALB", "Album")};
        EXPECT_EQ(ReadBothWays(V2Tag(version, frames)), "Title||||-1|") << version;
        frames.insert(frames.begin(), V2Frame(version, "XQZW", ""));
        EXPECT_EQ(ReadBothWays(V2Tag(version, frames)), "||||-1|") << version;
    }
}

// The year and comment rules hold on both routes: the first year frame in the tag
// (2.3's TYER read as TDRC), the undescribed comment ahead of an earlier described one.
TEST(Id3v2FieldsTest, YearAndCommentChoicesMatch) {
    std::vector<std::string> frames = {V2Text(3, "TYER", "1999"), V2Text(3, "TDRC", "2011"),
                                       V2Comment(3, "Described", "note"), V2Comment(3, "Plain"),
                                       V2Text(3, "TCON", "Krautwave")};
    EXPECT_EQ(ReadBothWays(V2Tag(3, frames)), "|||1999|-1|Plain");
    SId3v2Fields fields;
    ASSERT_TRUE(ReadId3v2Fields(V2Tag(3, frames), fields));
    EXPECT_TRUE(fields.bForeignGenre);
}

// Long texts in 2.4, where TagLib checks a long frame's size against what follows it, and
// tags the frame lister does not walk (2.4 sizes written as 2.3 ones, unsynchronisation,
// an extended header, 2.2) still read as the whole tag does.
TEST(Id3v2FieldsTest, UnusualTagsReadAsTheWholeTagDoes) {
    std::string longTitle(300, 'T');
    EXPECT_EQ(ReadBothWays(V2Tag(4, {V2Text(4, "TIT2", longTitle), PictureFrame(4)}, 0)),
              longTitle + "||||-1|");

    std::string lowerTitle(300, 't');
    std::string plainSizes = "TIT2" + BigEndian(lowerTitle.size() + 1, 4) +
                             std::string(3, '\0') + lowerTitle + V2Text(3, "TALB", "Album");
    EXPECT_EQ(ReadBothWays(V2Tag(4, {plainSizes})), lowerTitle + "||Album||-1|");

    std::string ffTitle = std::string(1, '\0') + "A\xff" + std::string(1, '\0') + "B";
    EXPECT_EQ(ReadBothWays(V2Tag(3, {V2Frame(3, "TIT2", ffTitle)}, 8, kUnsynchronisedFlag)),
              "A\xc3\xbf" "B||||-1|");

    std::string extended = BigEndian(6, 4) + std::string(6, '\0');
    std::string tag = V2Tag(3, {extended + V2Text(3, "TIT2", "Title")}, 8, kExtendedHeaderFlag);
    ReadBothWays(tag);

    EXPECT_EQ(ReadBothWays(V2Tag(2, {V2Text(2, "TT2", "Title")})), "Title||||-1|");
    EXPECT_EQ(ReadBothWays(V2Tag(3, {}, 0)), "||||-1|");
}

// Every encoding decodes to the same text, whatever the byte order.
TEST(Id3v2FieldsTest, EachEncodingDecodesFromTheFrames) {
    const std::string title = kCafe + "||||-1|";
    for (int version : {3, 4}) {
        EXPECT_EQ(TitleFrom(version, kLatin1 + std::string("Caf\xe9")), title);
        EXPECT_EQ(TitleFrom(version, kUtf16 + kLittleEndianMark + kCafeLittleEndian), title);
        EXPECT_EQ(TitleFrom(version, kUtf16 + kBigEndianMark + kCafeBigEndian), title);
        EXPECT_EQ(TitleFrom(version, kUtf16BigEndian + kCafeBigEndian), title);
        EXPECT_EQ(TitleFrom(version, kUtf8 + kCafe), title);
    }
    const std::string grinning = "\xf0\x9f\x98\x80";
    EXPECT_EQ(TitleFrom(3, kUtf16 + kLittleEndianMark + Bytes("\x3d\xd8\x00\xde")), grinning + "||||-1|");
    EXPECT_EQ(TitleFrom(4, kUtf8 + "\xef\xbb\xbf" "A"), "\xef\xbb\xbf" "A||||-1|");
}

// A text splits at its nulls into pieces joined by " / ": nulls at the end and empty pieces
// go, and later UTF-16 pieces may carry their own byte order mark or take the first's.
TEST(Id3v2FieldsTest, TextPiecesJoinAsTagLibSplitsThem) {
    EXPECT_EQ(TitleFrom(3, Bytes("\0A\0\0B\0\0\0")), "A / B||||-1|");
    EXPECT_EQ(TitleFrom(4, kUtf8 + Bytes("\0A\0B")), "A / B||||-1|");
    EXPECT_EQ(TitleFrom(3, kLatin1), "||||-1|");
    const std::string a = Bytes("A\0");
    const std::string b = Bytes("B\0");
    const std::string null = Bytes("\0\0");
    EXPECT_EQ(TitleFrom(3, kUtf16 + kLittleEndianMark + a + null + b + null), "A / B||||-1|");
    EXPECT_EQ(TitleFrom(3, kUtf16 + kLittleEndianMark + a + null + kBigEndianMark + Bytes("\0B")),
              "A / B||||-1|");
    EXPECT_EQ(TitleFrom(3, kUtf16 + null + kLittleEndianMark + a), "A||||-1|");
    EXPECT_EQ(TitleFrom(3, kUtf16 + kLittleEndianMark + null + kLittleEndianMark), " / ||||-1|");
    // A null character's high byte in little-endian UTF-16 stays even after a trailing null.
    EXPECT_EQ(TitleFrom(3, kUtf16 + kLittleEndianMark + a + std::string(1, '\0')), "A||||-1|");
    EXPECT_EQ(TitleFrom(4, kUtf16BigEndian + Bytes("\0A\0\0\0B")), "A / B||||-1|");
}

// Text TagLib would read otherwise than plainly leaves the tag to it.
TEST(Id3v2FieldsTest, TextThatDoesNotDecodeIsLeftToTagLib) {
    auto title = [](const std::string& data) { return V2Tag(3, {V2Frame(3, "TIT2", data)}); };
    EXPECT_TRUE(LeftToTagLib(title(kUtf8 + "ab\xff" "c")));
    EXPECT_TRUE(LeftToTagLib(title(kUtf8 + "\xc0\xaf")));
    EXPECT_TRUE(LeftToTagLib(title(kUtf8 + "\xed\xa0\x80")));
    EXPECT_TRUE(LeftToTagLib(title(kUtf16 + kCafeLittleEndian)));
    EXPECT_TRUE(LeftToTagLib(title(kUtf16 + kLittleEndianMark + Bytes("A\0B"))));
    EXPECT_TRUE(LeftToTagLib(title(kUtf16 + kLittleEndianMark + Bytes("\x00\xd8" "A\0"))));
    EXPECT_TRUE(LeftToTagLib(title(kUtf16 + Bytes("\0\0A\0"))));
    EXPECT_TRUE(LeftToTagLib(title("\x04" "A")));
    EXPECT_TRUE(LeftToTagLib(V2Tag(3, {V2Frame(3, "COMM", kUtf16 + "eng" +
                                                   Bytes("\xff\xfe" "d\0\0\0" "A\0"))})));
}

// Compressed, encrypted, grouped, unsynchronised frames and those with a data length are
// left to TagLib; flags that only tell how to keep a frame change nothing.
TEST(Id3v2FieldsTest, FrameFlagsThatChangeTheDataAreLeftToTagLib) {
    constexpr unsigned char kV3Compressed = 0x80;
    constexpr unsigned char kV3Encrypted = 0x40;
    constexpr unsigned char kV3Grouped = 0x20;
    constexpr unsigned char kV4Grouped = 0x40;
    constexpr unsigned char kV4Unsynchronised = 0x02;
    constexpr unsigned char kV4DataLength = 0x01;
    constexpr unsigned char kV3ReadOnly = 0x20;
    constexpr unsigned char kV4TagAlterDiscard = 0x40;
    std::string grouped = std::string(1, '\x07') + kLatin1 + "Title";
    for (unsigned char flag : {kV3Compressed, kV3Encrypted, kV3Grouped})
        EXPECT_TRUE(LeftToTagLib(V2Tag(3, {WithFlags(V2Frame(3, "TIT2", grouped), 0, flag)})));
    std::string withLength = Bytes("\0\0\0\6") + kLatin1 + "Title";
    EXPECT_TRUE(LeftToTagLib(V2Tag(4, {WithFlags(V2Frame(4, "TIT2", grouped), 0, kV4Grouped)})));
    EXPECT_TRUE(LeftToTagLib(
        V2Tag(4, {WithFlags(V2Frame(4, "TIT2", withLength), 0, kV4DataLength)})));
    EXPECT_TRUE(LeftToTagLib(
        V2Tag(4, {WithFlags(V2Text(4, "TIT2", "Title"), 0, kV4Unsynchronised)})));

    EXPECT_EQ(ReadFromFrames(V2Tag(3, {WithFlags(V2Text(3, "TIT2", "Title"), kV3ReadOnly, 0)})),
              "Title||||-1|");
    EXPECT_EQ(ReadFromFrames(V2Tag(4, {WithFlags(V2Frame(4, "TRCK", withLength), 0, kV4DataLength),
                                       WithFlags(V2Text(4, "TIT2", "Title"), kV4TagAlterDiscard,
                                                 0)})),
              "Title||||-1|");
    // A frame with a data length but no room for data ends the reading.
    EXPECT_EQ(ReadFromFrames(V2Tag(4, {WithFlags(V2Frame(4, "TRCK", Bytes("\0\0\0")), 0, kV4DataLength),
                                       V2Text(4, "TIT2", "Title")})),
              "||||-1|");
}

// A comment is the text after the description's null, up to the next null; the first
// comment without a description wins over earlier described ones.
TEST(Id3v2FieldsTest, CommentsDecodeAndChooseAsTagLibReadsThem) {
    const std::string eng = "eng";
    EXPECT_EQ(CommentFrom({kLatin1 + eng + Bytes("d\0te\0xt\0")}), "||||-1|te");
    EXPECT_EQ(CommentFrom({kLatin1 + eng}), "||||-1|");
    EXPECT_EQ(CommentFrom({kLatin1 + eng + "no null"}), "||||-1|");
    EXPECT_EQ(CommentFrom({kUtf16 + eng + Bytes("\0\0") + kLittleEndianMark + kCafeLittleEndian}),
              "||||-1|" + kCafe);
    EXPECT_EQ(CommentFrom({kUtf8 + eng + Bytes("\0") + kCafe}), "||||-1|" + kCafe);
    EXPECT_EQ(CommentFrom({kLatin1 + eng + Bytes("first\0one"), kLatin1 + eng + Bytes("second\0two"),
                           kLatin1 + eng + Bytes("\0plain"), kLatin1 + eng + Bytes("\0later")}),
              "||||-1|plain");
    EXPECT_EQ(CommentFrom({kLatin1 + eng + Bytes("first\0one"), kLatin1 + eng + Bytes("second\0two")}),
              "||||-1|one");
    // A UTF-16 description of a byte order mark alone is empty.
    EXPECT_EQ(CommentFrom({kLatin1 + eng + Bytes("d\0described"),
                           kUtf16 + eng + kLittleEndianMark + Bytes("\0\0") + kLittleEndianMark + Bytes("A\0")}),
              "||||-1|A");
}

// TCON's numbers in parentheses read as TagLib hands them on: a number followed by its
// own name is that genre, by another name two genres, "(RX)" and unknown numbers none.
TEST(Id3v2FieldsTest, GenreFormsReadAsTagLibHandsThemOn) {
    auto genre = [](const std::string& tcon) {
        return ReadFromFrames(V2Tag(3, {V2Text(3, "TCON", tcon)}));
    };
    const std::string rock = "||||" + std::to_string(kRock) + "|";
    EXPECT_EQ(genre("(17)"), rock);
    EXPECT_EQ(genre("(17)Rock"), rock);
    EXPECT_EQ(genre("(017)"), rock);
    EXPECT_EQ(genre("Rock"), rock);
    EXPECT_EQ(genre("(17)(17)"), rock);
    EXPECT_EQ(genre("(abc)Rock"), rock);
    for (const char* none : {"(17)Pop", "(17)(20)", "(RX)", "(CR)Rock", "(200)", "(256)", "()",
                             "((17)", "(17x)", "Krautwave"})
        EXPECT_EQ(genre(none), "||||-1|") << none;
    EXPECT_EQ(ReadFromFrames(V2Tag(3, {V2Frame(3, "TCON", Bytes("\0(17)\0(200)"))})), rock);
    EXPECT_TRUE(LeftToTagLib(V2Tag(3, {V2Text(3, "TCON", "( 17)")})));
    EXPECT_TRUE(LeftToTagLib(V2Tag(3, {V2Text(3, "TCON", "(+17)")})));
}

// The year comes from 2.3's TYER and 2.4's TRDC as from TDRC, not from the other way round.
TEST(Id3v2FieldsTest, YearFramesAreThoseTagLibReadsAsTheRecordingTime) {
    EXPECT_EQ(ReadFromFrames(V2Tag(3, {V2Text(3, "TYER", "1999")})), "|||1999|-1|");
    EXPECT_EQ(ReadFromFrames(V2Tag(4, {V2Text(4, "TRDC", "1999")})), "|||1999|-1|");
    EXPECT_EQ(ReadFromFrames(V2Tag(3, {V2Text(3, "TRDC", "1999")})), "||||-1|");
    EXPECT_EQ(ReadFromFrames(V2Tag(4, {V2Text(4, "TYER", "1999")})), "||||-1|");
}

}  // namespace
