// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/HitDoc.h"
#include "model/TesselSession.h"
#include "mp3/ID3Tag.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/TagTextLoss.h"

namespace {

const std::string kTokyo = "\u6771\u4eac \u20ac5";  // "東京 €5"

struct SLossCase {
    const char* pszWhat;
    int nColumn;
    std::string strText;
    std::string strStored;  // empty: the field keeps every character it stores
};

STagFields TagWith(int column, const std::string& text) {
    STagFields tag;
    CTextField& field = column == kColTitle    ? tag.title
                        : column == kColArtist ? tag.artist
                        : column == kColAlbum  ? tag.album
                                               : tag.comment;
    field.Set(text);
    return tag;
}

class TagTextLossTest : public ::testing::TestWithParam<SLossCase> {};

// A field loses characters when one above U+00FF lands in the bytes it keeps; the loss
// names the field and what the file will read as.
TEST_P(TagTextLossTest, AFieldLosesOnlyCharactersLatinOneCannotHold) {
    const SLossCase& loss = GetParam();
    std::vector<STagTextLoss> found = FindTagTextLoss(TagWith(loss.nColumn, loss.strText));
    if (loss.strStored.empty()) {
        EXPECT_TRUE(found.empty());
        return;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].nColumn, loss.nColumn);
    EXPECT_EQ(found[0].strStored, loss.strStored);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TagTextLossTest,
    ::testing::Values(SLossCase{"LatinOneFits", kColTitle, "Caf\u00e9 \u00dcber \u00ff", ""},
                      SLossCase{"EmptyFits", kColArtist, "", ""},
                      SLossCase{"TokyoInTitle", kColTitle, kTokyo, "?? ?5"},
                      SLossCase{"EuroIsNotLatinOne", kColComment, "5 \u20ac", "5 ?"},
                      SLossCase{"AlbumLosesToo", kColAlbum, "\u0141\u00f3d\u017a", "?\u00f3d?"},
                      // Bytes that are not UTF-8 pass through as they are.
                      SLossCase{"RawBytesPassThrough", kColAlbum, "raw\xe9\xff", ""},
                      // The 30-byte cut alone loses no character to "?".
                      SLossCase{"CutAloneIsNoLoss", kColTitle, std::string(40, 'T'), ""},
                      SLossCase{"CharacterBeyondTheCut", kColTitle, std::string(30, 'T') + "\u6771",
                                ""},
                      SLossCase{"LastKeptCharacter", kColTitle,
                                std::string(29, 'T') + "\u6771\u4eac", std::string(29, 'T') + "?"}),
    [](const auto& info) { return std::string(info.param.pszWhat); });

// What a loss says the field will read as is what the file holds after the write.
TEST(TagTextLoss, TheStoredTextIsWhatTheFileReadsAfterTheWrite) {
    CTempDir dir;
    std::string path = dir.WriteFile("song.mp3", kAudio);
    CID3Tag tag(nullptr);
    tag.m_strTitle = kTokyo;
    tag.m_strComment = std::string(29, 'c') + "\u20ac  tail";
    ASSERT_TRUE(tag.WriteTag(path));
    STagFields fields;
    fields.title.Set(tag.m_strTitle);
    fields.comment.Set(tag.m_strComment);
    std::vector<STagTextLoss> losses = FindTagTextLoss(fields);
    ASSERT_TRUE(tag.ReadTag(path));
    ASSERT_EQ(losses.size(), 2u);
    EXPECT_EQ(losses[0].strStored, tag.m_strTitle);
    EXPECT_EQ(losses[1].strStored, tag.m_strComment);
    EXPECT_EQ(ReadFileBytes(path),
              kAudio + RawBlock("?? ?5", "", "", "", std::string(29, 'c') + "?"));
}

// The note names every field that loses characters, in column order.
TEST(TagTextLoss, TheNoteNamesTheFieldsThatLoseCharacters) {
    STagFields tag;
    tag.comment.Set("\u20ac");
    tag.title.Set(kTokyo);
    tag.album.Set("Caf\u00e9");
    EXPECT_EQ(TagTextLossNote(FindTagTextLoss(tag)),
              "Title and Comment: characters ID3v1 cannot hold become ?");
    tag.artist.Set("\u0416");
    EXPECT_EQ(TagTextLossNote(FindTagTextLoss(tag)),
              "Title, Artist and Comment: characters ID3v1 cannot hold become ?");
    EXPECT_EQ(TagTextLossNote(FindTagTextLoss(STagFields{})), "");
}

}  // namespace
