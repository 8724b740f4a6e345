// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "files/RunCommands.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/Mp3Mode.h"
#include "support/SessionFixture.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"

namespace {

using Names = std::vector<std::string>;
using NameToolsTest = SessionTest;

TEST_F(NameToolsTest, EveryCommandRewritesEveryNewNameAsOneStepAndNeverTheExtension) {
    std::pair<ETextOperation, Names> cases[] = {
        {ETextOperation::SentenceCase, {"My song", "Readme", "Thequickfox"}},
        {ETextOperation::ToggleCase, {"my song", "rEADmE", "THEqUICKfOX"}},
        {ETextOperation::InsertSpaces, {"MY SONG", "Read Me", "the Quick Fox"}}};
    for (const auto& [operation, names] : cases) {
        session.List().Empty();
        session.UndoHistory().Clear();
        AddRows({"MY SONG.MP3", "ReadMe.TXT", "theQuickFox"});
        EXPECT_EQ(TransformNames(session, operation), ECommandOutcome::Changed);
        EXPECT_EQ(NewNames(), names);
        EXPECT_EQ(Column(2), (Names{".MP3", ".TXT", ""}));
        if (operation != ETextOperation::ToggleCase) {  // a second run changes nothing
            EXPECT_EQ(TransformNames(session, operation), ECommandOutcome::Unchanged);
        }
        EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
        Undo(session);
        EXPECT_EQ(NewNames(), (Names{"MY SONG", "ReadMe", "theQuickFox"}));
    }
    // Leading blanks go from results longer than one character.
    session.List().Empty();
    AddRows({"  My File", " ", "  ", "\t x "});
    TransformNames(session, ETextOperation::Lowercase);
    EXPECT_EQ(NewNames(), (Names{"my file", " ", "", "x "}));
}

// The word tools work on letters of any script in the new name alone: the extension stays,
// and so does the rule that leading blanks go.
TEST_F(NameToolsTest, CaseToolsChangeLettersOfAnyScriptButNeverTheExtension) {
    std::pair<ETextOperation, Names> cases[] = {
        {ETextOperation::SentenceCase, {"\u00c9cole", "\u00c9lanvital"}},
        {ETextOperation::TitleCase, {"\u00c9cole", "\u00c9lanvital"}},
        {ETextOperation::ToggleCase, {"\u00c9cole", "\u00c9LANvITAL"}},
        {ETextOperation::InsertSpaces, {"\u00e9 COLE", "\u00e9lan Vital"}}};
    for (const auto& [operation, names] : cases) {
        session.List().Empty();
        AddRows({"  \u00e9COLE.\u00c9T\u00c9", "\u00e9lanVital.\u00e9t\u00e9"});
        EXPECT_EQ(TransformNames(session, operation), ECommandOutcome::Changed);
        EXPECT_EQ(NewNames(), names);
        EXPECT_EQ(Column(2), (Names{".\u00c9T\u00c9", ".\u00e9t\u00e9"}));
    }
}

// In MP3 mode the options sheet chooses the tag fields; cancelling it or choosing none
// changes nothing.
TEST_F(NameToolsTest, Mp3ModeChangesOnlyTheChosenTagFields) {
    CHitDoc& entry = AddRow("one.mp3");
    entry.EditTitle().Set("TITLE");
    entry.EditArtist().Set("ARTIST");
    entry.EditComment().Set("  COMMENT");
    session.SetMp3Columns();
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Cancelled);
    prompts.m_options = {SId3EditorOptions{}, SId3EditorOptions{}};
    prompts.m_options[0].format = {false, false, false, false};
    prompts.m_options[1].format = {false, true, false, true};
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Unchanged);
    EXPECT_FALSE(session.CanUndo());
    EXPECT_EQ(TransformNames(session, ETextOperation::TitleCase), ECommandOutcome::Changed);
    EXPECT_EQ(Row(0), (Names{"one.mp3", "TITLE", "Artist", "", "", "", "Comment"}));
}

// Tag text is held as UTF-8 whatever the file holds (ISO-8859-1), so the case tools treat
// its accented letters as letters, and the result goes back to the file in ISO-8859-1.
TEST_F(Mp3SessionTest, CaseToolsRaiseAccentedLettersOfTagText) {
    std::string path = AddFile("one.mp3", kAudio + RawBlock("\311COLE \311T\311", "\351lan"));
    ToggleMode(session);
    EXPECT_EQ(TransformNames(session, ETextOperation::TitleCase, {true, true, false, false}),
              ECommandOutcome::Changed);
    EXPECT_EQ(Row(0), (Names{"one.mp3", "\u00c9cole \u00c9t\u00e9", "\u00c9lan", "", "", "", ""}));
    EXPECT_EQ(SaveID3(session, EAnswer::Yes, false), EAnswer::Yes);
    EXPECT_EQ(ReadFileBytes(path), kAudio + RawBlock("\311cole \311t\351", "\311lan"));
}

SNumberingSettings Standard(const std::string& name, int digits, int increment, int start,
                            int offset) {
    return {true, name, digits, increment, start, offset};
}

using NumberingTest = SessionTest;

// Applying uses the values as read, past the wizard's arrow ranges; each run is one step.
TEST_F(NumberingTest, ApplyNumbersEveryRowInListOrderAsOneStep) {
    AddRows({"abc.mp3", "abcdefg.mp3"});
    std::pair<SNumberingSettings, Names> cases[] = {
        {{false, "", 2, 1, 0, 5}, {"abc00", "abcde01fg"}},  // the current names
        {Standard("S", 2, 0, 4, -1), {"S04", "S04"}},
        {Standard("S", 0, 100, -5, 0), {"-5S", "95S"}},
        {Standard("S", 1, 2000000000, 2000000000, -1), {"S2000000000", "S4000000000"}}};
    for (const auto& [settings, names] : cases) {
        EXPECT_EQ(ApplyNumbering(session, settings), ECommandOutcome::Changed);
        EXPECT_EQ(NewNames(), names);
    }
    EXPECT_EQ(session.UndoHistory().GetCount(), std::size(cases));
    // The wizard's sample of a sequence starts at its first number.
    EXPECT_EQ(SequencePreview("T", 2, 5, 1, ".mp3"), "T01.mp3     T06.mp3     T11.mp3     T16.mp3");
}

TEST_F(NumberingTest, WizardAsksWithTheLongestNameAndRefusesAnEmptyFilename) {
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Unchanged);  // an empty list
    EXPECT_TRUE(prompts.m_wizardInputs.empty());
    // The longest new name counts characters, the first row winning a tie.
    AddRows({"one.mp3", "three.ogg", "\u00e9t\u00e9s.ogg"});
    EXPECT_EQ(MaxOffset("\u00e9t\u00e9s"), 4);
    prompts.m_wizardAnswers.push_back(Standard("Disc", 2, 1, 1, -1));
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Changed);
    ASSERT_EQ(prompts.m_wizardInputs.size(), 1u);
    EXPECT_EQ(prompts.m_wizardInputs[0].strCurrentName, "three");
    EXPECT_EQ(NewNames(), (Names{"Disc01", "Disc02", "Disc03"}));

    EXPECT_EQ(RenameWizard(session, Standard("", 2, 1, 1, -1)), ECommandOutcome::Cancelled);
    EXPECT_EQ(prompts.m_messages, Names{"Please enter filename"});
    EXPECT_EQ(CheckWizardFilename(" "), "");  // only an empty one is refused
    // "Use current filename" starts from the longest new name, whatever strName holds.
    SNumberingSettings current{false, "x", 1, 1, 7, -1};
    EXPECT_EQ(RenameWizard(session, current), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"Disc017", "Disc028", "Disc039"}));
    EXPECT_EQ(session.UndoHistory().GetCount(), 2u);
}

}  // namespace
