#include <gtest/gtest.h>

#include "model/CellEdit.h"
#include "model/TesselDoc.h"
#include "mp3/DocumentCommands.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/Mp3Mode.h"

namespace {

// A list in MP3 mode with a tag edit not yet written, and a saved list to open: New and
// Open offer the tags for saving first.
TEST_F(Mp3SessionTest, NewAndOpenOfferUnsavedTagsFirst) {
    CTesselDoc doc{session};
    std::string other = dir / "other.tsl";
    AddFile("saved.mp3", kAudio);
    ASSERT_TRUE(doc.OnSaveDocument(other));
    std::string song = AddFile("song.mp3", kAudio + RawBlock("Old"));
    auto titleOnDisk = [&] { return ReadFileBytes(song).substr(kAudio.size() + 3, 3); };
    auto edit = [&] {
        ToggleMode(session);
        CommitCellEdit(session, 1, kColTitle, "New");
        ASSERT_TRUE(Entry(1).IsTagChanged());
        prompts.m_messages.clear();
    };
    edit();

    // Cancel of the question or of the preview keeps the list.
    prompts.m_messageAnswers = {EAnswer::Cancel, EAnswer::Yes};
    prompts.m_resultsAnswers = {false};
    EXPECT_FALSE(NewDocument(session, doc));
    EXPECT_FALSE(OpenDocument(session, doc, other));
    EXPECT_EQ(prompts.m_messageIds, std::vector<EMessageId>(2, EMessageId::SaveTagChanges));
    EXPECT_EQ(session.List().GetCount(), 2);
    EXPECT_TRUE(Entry(1).IsTagChanged());
    EXPECT_EQ(titleOnDisk(), "Old");

    // No drops the edits and opens the list, in normal mode.
    prompts.m_messageAnswers = {EAnswer::No};
    EXPECT_TRUE(OpenDocument(session, doc, other));
    EXPECT_EQ(titleOnDisk(), "Old");
    ASSERT_EQ(session.List().GetCount(), 1);
    EXPECT_FALSE(session.IsMp3Mode());

    // Nothing is asked outside MP3 mode; Yes writes the tags before a new list.
    CommitCellEdit(session, 0, 0, "renamed");
    prompts.m_messages.clear();
    EXPECT_TRUE(OpenDocument(session, doc, other));
    EXPECT_TRUE(prompts.m_messages.empty());
    AddFile("song.mp3", kAudio + RawBlock("Old"));
    edit();
    prompts.m_messageAnswers = {EAnswer::Yes};
    EXPECT_TRUE(NewDocument(session, doc));
    EXPECT_EQ(titleOnDisk(), "New");
    EXPECT_EQ(session.List().GetCount(), 0);
    EXPECT_TRUE(session.IsMp3Mode());  // a new list keeps the mode
}

}  // namespace
