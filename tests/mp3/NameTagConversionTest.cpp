#include <gtest/gtest.h>

#include "mp3/Mp3Fixture.h"
#include "mp3/NameTagConversion.h"

namespace {

class NameTagConversionTest : public Mp3SessionTest {};

TEST_F(NameTagConversionTest, FilenameToId3FillsTitleAndArtistOfNamesThatSplit) {
    AddFile("Band - Song.mp3", kAudio);
    AddFile("X - Y - Z.mp3", kAudio);
    AddFile("NoSeparator.mp3", kAudio);
    AddFile(" - Lonely.mp3", kAudio);
    Entry(2).m_strTitle.Set("kept");
    session.SetMp3Columns();
    observer.m_calls.clear();
    prompts.m_separators = {SSeparatorChoice{" - ", true}};
    FilenameToId3(session);
    EXPECT_EQ(session.List().CellText(0, kColArtist), "Band");
    EXPECT_EQ(session.List().CellText(0, kColTitle), "Song");
    EXPECT_EQ(Entry(1).m_strArtist.Get(), "X");
    EXPECT_EQ(Entry(1).m_strTitle.Get(), "Y - Z");
    EXPECT_EQ(Entry(2).m_strTitle.Get(), "kept");
    EXPECT_EQ(Entry(3).m_strTitle.Get(), "");
    EXPECT_EQ(observer.m_calls, (std::vector<std::string>{"changed 0-0", "changed 1-1"}));
    EXPECT_TRUE(Entry(0).IsTagChanged());
    EXPECT_FALSE(session.CanUndo());
    EXPECT_EQ(ReadFileBytes(Entry(0).m_strPath.Get()), kAudio);

    prompts.m_separators = {SSeparatorChoice{"-", false}};
    FilenameToId3(session);
    EXPECT_EQ(Entry(0).m_strTitle.Get(), "Band ");
    EXPECT_EQ(Entry(0).m_strArtist.Get(), " Song");

    // The separator is compared with case; an empty one splits nothing.
    prompts.m_separators = {SSeparatorChoice{" s", true}, SSeparatorChoice{"", true}};
    FilenameToId3(session);
    FilenameToId3(session);
    FilenameToId3(session);  // cancelled
    EXPECT_EQ(Entry(0).m_strTitle.Get(), "Band ");
    ASSERT_EQ(prompts.m_separatorsOffered.size(), 5u);
    for (const SSeparatorChoice& offered : prompts.m_separatorsOffered) {
        EXPECT_EQ(offered.strSeparator, " - ");
        EXPECT_TRUE(offered.bArtistFirst);
    }
}

TEST_F(NameTagConversionTest, Id3ToFilenameComposesNamesFromTheTagsInTheFiles) {
    AddFile("one.mp3", kAudio + RawBlock("Song", "Band"));
    AddFile("two.mp3", kAudio + RawBlock("", "Solo"));
    AddFile("three.mp3", kAudio + RawBlock("", ""));
    AddFile("four.mp3", kAudio);
    std::string gone = AddFile("five.mp3", kAudio + RawBlock("Gone", "Band"));
    AddFile("six.mp3", std::string(100, 'x'));
    std::remove(gone.c_str());
    Entry(0).m_strArtist.Set("Not this one");
    prompts.m_separators = {SSeparatorChoice{" - ", true}};
    Id3ToFilename(session);
    EXPECT_EQ(NewNames(),
              (std::vector<std::string>{"Band - Song", "Solo - ", "three", "four", "five", "six"}));
    EXPECT_TRUE(prompts.m_messages.empty());
    EXPECT_FALSE(session.CanUndo());

    prompts.m_separators = {SSeparatorChoice{"_", false}};
    Id3ToFilename(session);
    EXPECT_EQ(NewNames()[0], "Song_Band");
    Id3ToFilename(session);  // cancelled
    EXPECT_EQ(NewNames()[0], "Song_Band");
}

}  // namespace
