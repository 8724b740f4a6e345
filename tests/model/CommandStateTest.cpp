#include <gtest/gtest.h>

#include "model/CommandState.h"
#include "support/SessionFixture.h"

namespace {

class CommandStateTest : public SessionTest {
protected:
    bool Enabled(ECommandId command) { return CommandState(session, command).bEnabled; }
};

TEST_F(CommandStateTest, AnEmptyListInNormalMode) {
    for (ECommandId always : {ECommandId::New, ECommandId::Add, ECommandId::Remove,
                              ECommandId::Rename, ECommandId::Options, ECommandId::Lock})
        EXPECT_TRUE(Enabled(always));
    EXPECT_FALSE(Enabled(ECommandId::Undo));
    EXPECT_FALSE(Enabled(ECommandId::FindReplace));
    EXPECT_TRUE(Enabled(ECommandId::ToggleMode));  // an empty list is all MP3
    EXPECT_TRUE(Enabled(ECommandId::Go));
    EXPECT_TRUE(Enabled(ECommandId::RenameWizard));
    EXPECT_FALSE(Enabled(ECommandId::SaveId3));
    EXPECT_FALSE(Enabled(ECommandId::FilenameToId3));
    EXPECT_FALSE(Enabled(ECommandId::Id3ToFilename));  // no rows
}

TEST_F(CommandStateTest, OneFileThatIsNoMp3GreysTheMp3CommandsInNormalMode) {
    AddRow("a.mp3");
    session.RecomputeAllMp3();
    EXPECT_TRUE(Enabled(ECommandId::ToggleMode));
    EXPECT_TRUE(Enabled(ECommandId::Id3ToFilename));
    EXPECT_TRUE(Enabled(ECommandId::FindReplace));
    AddRow("b.txt");
    session.RecomputeAllMp3();
    EXPECT_FALSE(Enabled(ECommandId::ToggleMode));
    EXPECT_FALSE(Enabled(ECommandId::Id3ToFilename));
}

TEST_F(CommandStateTest, Mp3ModeSwapsTheModeCommandsAndChecksTheLockedColumns) {
    AddRow("a.mp3");
    session.SetMp3Columns();
    EXPECT_TRUE(Enabled(ECommandId::ToggleMode));
    EXPECT_TRUE(Enabled(ECommandId::SaveId3));
    EXPECT_TRUE(Enabled(ECommandId::FilenameToId3));
    for (ECommandId normalOnly :
         {ECommandId::Go, ECommandId::RenameWizard, ECommandId::Id3ToFilename})
        EXPECT_FALSE(Enabled(normalOnly));

    session.m_locks = {false, true, false, false, false, true};  // artist and comment
    EXPECT_FALSE(CommandState(session, ECommandId::LockTitle).bChecked);
    EXPECT_TRUE(CommandState(session, ECommandId::LockArtist).bChecked);
    EXPECT_TRUE(CommandState(session, ECommandId::LockComment).bChecked);
    EXPECT_FALSE(CommandState(session, ECommandId::Lock).bChecked);
}

}  // namespace
