#include <gtest/gtest.h>

#include "model/CellEdit.h"
#include "model/TesselDoc.h"
#include "mp3/DocumentCommands.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/Mp3Mode.h"

namespace {

// A list in MP3 mode with a tag edit not yet written, and a saved list to open.
class UnsavedTagsTest : public Mp3SessionTest {
protected:
    void SetUp() override {
        other = dir / "other.tsl";
        AddFile("saved.mp3", kAudio);
        ASSERT_TRUE(doc.OnSaveDocument(other));
        song = AddFile("song.mp3", kAudio + RawBlock("Old"));
        ToggleMode(session);
        CommitCellEdit(session, 1, kColTitle, "New");
        ASSERT_TRUE(Entry(1).IsTagChanged());
        prompts.m_messages.clear();
    }
    std::string TitleOnDisk() { return ReadFileBytes(song).substr(kAudio.size() + 3, 3); }

    CTesselDoc doc{session};
    std::string other;
    std::string song;
};

TEST_F(UnsavedTagsTest, CancelOfTheQuestionOrThePreviewKeepsTheList) {
    prompts.m_messageAnswers = {EAnswer::Cancel, EAnswer::Yes};
    prompts.m_resultsAnswers = {false};
    EXPECT_FALSE(NewDocument(session, doc));
    EXPECT_FALSE(OpenDocument(session, doc, other));
    EXPECT_EQ(prompts.m_messageIds,
              (std::vector<EMessageId>{EMessageId::SaveTagChanges, EMessageId::SaveTagChanges}));
    EXPECT_EQ(session.List().GetCount(), 2);
    EXPECT_TRUE(session.IsMp3Mode());
    EXPECT_TRUE(Entry(1).IsTagChanged());
    EXPECT_EQ(TitleOnDisk(), "Old");
}

TEST_F(UnsavedTagsTest, YesWritesTheTagsBeforeANewList) {
    prompts.m_messageAnswers = {EAnswer::Yes};
    EXPECT_TRUE(NewDocument(session, doc));
    EXPECT_EQ(TitleOnDisk(), "New");
    EXPECT_EQ(session.List().GetCount(), 0);
    EXPECT_TRUE(session.IsMp3Mode());  // a new list keeps the mode
}

TEST_F(UnsavedTagsTest, NoDropsTheEditsAndOpensTheList) {
    prompts.m_messageAnswers = {EAnswer::No};
    EXPECT_TRUE(OpenDocument(session, doc, other));
    EXPECT_EQ(TitleOnDisk(), "Old");
    ASSERT_EQ(session.List().GetCount(), 1);
    EXPECT_EQ(Entry(0).m_strName.Get(), "saved.mp3");
    EXPECT_FALSE(session.IsMp3Mode());
}

TEST_F(UnsavedTagsTest, NothingIsAskedWithoutAChangedTagOrOutsideMp3Mode) {
    prompts.m_messageAnswers = {EAnswer::Yes};
    ASSERT_EQ(SaveID3(session), EAnswer::Yes);
    prompts.m_messages.clear();
    EXPECT_TRUE(OpenDocument(session, doc, other));
    CommitCellEdit(session, 0, 0, "renamed");
    EXPECT_TRUE(NewDocument(session, doc));
    EXPECT_TRUE(prompts.m_messages.empty());
}

}  // namespace
