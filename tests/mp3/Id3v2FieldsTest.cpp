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

}  // namespace
