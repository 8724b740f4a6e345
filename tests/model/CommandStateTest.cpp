#include <gtest/gtest.h>

#include "model/CommandState.h"
#include "support/SessionFixture.h"

namespace {

class CommandStateTest : public SessionTest {
protected:
    // The commands of the list, enabled as expected (E) or greyed (g).
    void Expect(const std::string& states) {
        const ECommandId commands[] = {ECommandId::New,           ECommandId::Add,
                                       ECommandId::Remove,        ECommandId::Rename,
                                       ECommandId::Options,       ECommandId::Lock,
                                       ECommandId::Undo,          ECommandId::FindReplace,
                                       ECommandId::ToggleMode,    ECommandId::Go,
                                       ECommandId::RenameWizard,  ECommandId::SaveId3,
                                       ECommandId::FilenameToId3, ECommandId::Id3ToFilename};
        std::string actual;
        for (ECommandId command : commands)
            actual += CommandState(session, command).bEnabled ? 'E' : 'g';
        EXPECT_EQ(actual, states);
    }
};

// An empty list is all MP3; one file that is no MP3 greys the MP3 commands; MP3 mode swaps
// the mode commands and checks the locked columns.
TEST_F(CommandStateTest, TheModeAndTheFilesChooseTheCommands) {
    Expect("EEEEEEggEEEggg");
    AddRow("a.mp3");
    session.RecomputeAllMp3();
    Expect("EEEEEEgEEEEggE");
    AddRow("b.txt");
    session.RecomputeAllMp3();
    Expect("EEEEEEgEgEEggg");
    session.List().Empty();
    AddRow("a.mp3");
    session.SetMp3Columns();
    Expect("EEEEEEgEEggEEg");

    session.m_locks = {false, true, false, false, false, true};  // artist and comment
    EXPECT_FALSE(CommandState(session, ECommandId::LockTitle).bChecked);
    EXPECT_TRUE(CommandState(session, ECommandId::LockArtist).bChecked);
    EXPECT_TRUE(CommandState(session, ECommandId::LockComment).bChecked);
    EXPECT_FALSE(CommandState(session, ECommandId::Lock).bChecked);
}

}  // namespace
