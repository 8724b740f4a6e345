#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "support/SessionFixture.h"
#include "transform/FindReplace.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"

namespace {

using Names = std::vector<std::string>;
using NameToolsTest = SessionTest;

TEST_F(NameToolsTest, EveryCommandRewritesEveryNewNameAsOneStepAndNeverTheExtension) {
    struct {
        ETextOperation operation;
        Names names;
    } cases[] = {{ETextOperation::SentenceCase, {"My song", "Readme", "Thequickfox"}},
                 {ETextOperation::Lowercase, {"my song", "readme", "thequickfox"}},
                 {ETextOperation::Uppercase, {"MY SONG", "README", "THEQUICKFOX"}},
                 {ETextOperation::TitleCase, {"My Song", "Readme", "Thequickfox"}},
                 {ETextOperation::ToggleCase, {"my song", "rEADmE", "THEqUICKfOX"}},
                 {ETextOperation::InsertSpaces, {"MY SONG", "Read Me", "the Quick Fox"}}};
    for (const auto& c : cases) {
        session.List().Empty();
        session.UndoHistory().Clear();
        for (const char* name : {"MY SONG.MP3", "ReadMe.TXT", "theQuickFox"})
            AddRow(name);
        session.List().SetSelected(1, true);
        observer.m_calls.clear();
        EXPECT_EQ(TransformNames(session, c.operation), ECommandOutcome::Changed);
        EXPECT_EQ(NewNames(), c.names);
        EXPECT_EQ(Column(2), (Names{".MP3", ".TXT", ""}));
        EXPECT_EQ(observer.m_calls, (Names{"end editing", "changed 0-2"}));
        if (c.operation != ETextOperation::ToggleCase) {  // a second run changes nothing
            EXPECT_EQ(TransformNames(session, c.operation), ECommandOutcome::Unchanged);
        }
        EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
        Undo(session);
        EXPECT_EQ(NewNames(), (Names{"MY SONG", "ReadMe", "theQuickFox"}));
    }
    // Leading blanks go from results longer than one character.
    session.List().Empty();
    for (const char* name : {"  My File", " ", "  ", "\t x "})
        AddRow(name);
    TransformNames(session, ETextOperation::Lowercase);
    EXPECT_EQ(NewNames(), (Names{"my file", " ", "", "x "}));
}

TEST_F(NameToolsTest, SwapOffersTheDefaultMiddleEachTimeAndKeepsTheAnswer) {
    AddRow("Artist - Title.mp3");
    AddRow("No middle here.mp3");
    prompts.m_swapMiddles = {"-"};
    EXPECT_EQ(SwapNames(session), ECommandOutcome::Changed);
    EXPECT_EQ(session.m_strMiddle, "-");
    EXPECT_EQ(SwapNames(session), ECommandOutcome::Cancelled);
    EXPECT_EQ(prompts.m_swapMiddlesOffered, (Names{" - ", " - "}));
    EXPECT_EQ(session.m_strMiddle, " - ");
    EXPECT_EQ(NewNames(), (Names{"Title-Artist ", "No middle here"}));
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
}

// In MP3 mode the options sheet chooses the tag fields; cancelling it or choosing none
// changes nothing, and the forms that take a choice show no sheet.
TEST_F(NameToolsTest, Mp3ModeChangesOnlyTheChosenTagFields) {
    for (const char* name : {"one.mp3", "two.mp3"}) {
        CHitDoc& entry = AddRow(name);
        entry.EditTitle().Set("TITLE " + std::string(name));
        entry.EditArtist().Set("ARTIST");
        entry.EditAlbum().Set("ALBUM");
        entry.EditComment().Set("  COMMENT");
    }
    session.SetMp3Columns();
    auto choose = [&](std::array<bool, 4> format) {
        prompts.m_options.push_back(SId3EditorOptions{});
        prompts.m_options.back().format = format;
    };
    const Names titles{"TITLE one.mp3", "TITLE two.mp3"};
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Cancelled);
    choose({false, false, false, false});
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Unchanged);
    EXPECT_FALSE(session.CanUndo());

    choose({false, true, false, false});
    EXPECT_EQ(TransformNames(session, ETextOperation::Lowercase), ECommandOutcome::Changed);
    EXPECT_EQ(Column(kColArtist), (Names{"artist", "artist"}));
    EXPECT_EQ(Column(kColTitle), titles);
    EXPECT_EQ(Column(kColAlbum), (Names{"ALBUM", "ALBUM"}));
    EXPECT_EQ(NewNames(), (Names{"one", "two"}));
    choose({true, true, true, true});
    TransformNames(session, ETextOperation::TitleCase);
    EXPECT_EQ(Column(kColTitle), (Names{"Title One.mp3", "Title Two.mp3"}));
    EXPECT_EQ(Column(kColComment), (Names{"Comment", "Comment"}));
    Undo(session);
    EXPECT_EQ(Column(kColTitle), titles);
    EXPECT_EQ(prompts.m_optionsPages.size(), 4u);

    EXPECT_EQ(SwapNames(session, "one", {true, false, false, false}), ECommandOutcome::Changed);
    EXPECT_EQ(ReplaceAll(session, SReplaceSettings{"a", "4", false}, {false, false, true, false}),
              ECommandOutcome::Changed);
    EXPECT_EQ(prompts.m_optionsPages.size(), 4u);
    EXPECT_EQ(Column(kColTitle), (Names{".mp3oneTITLE ", "TITLE two.mp3"}));
    EXPECT_EQ(Column(kColAlbum), (Names{"4LBUM", "4LBUM"}));
    EXPECT_EQ(Column(kColArtist), (Names{"artist", "artist"}));
}

SNumberingSettings Standard(const std::string& name, int digits, int increment, int start,
                            int offset) {
    return {true, name, digits, increment, start, offset};
}

using NumberingTest = SessionTest;

TEST_F(NumberingTest, LongestNameByCharactersFirstRowWinsATie) {
    AddRow(".profile");
    EXPECT_EQ(LongestNewName(session.List()).strSampleExt, "");
    for (const char* name : {"abcd.txt", "wxyz.mp3", "\u00e9t\u00e9s.ogg"})  // 4 characters
        AddRow(name);
    SWizardInput longest = LongestNewName(session.List());
    EXPECT_EQ(longest.strCurrentName + longest.strSampleExt, "abcd.txt");
    EXPECT_EQ(MaxOffset("\u00e9t\u00e9s"), 4);
    AddRow("vwxyz.flac");
    EXPECT_EQ(LongestNewName(session.List()).strSampleExt, ".flac");
}

// Applying uses the values as read, past the wizard's arrow ranges; each run is one step.
TEST_F(NumberingTest, ApplyNumbersEveryRowInListOrderAsOneStep) {
    AddRow("abc.mp3");
    AddRow("abcdefg.mp3");
    session.List().SetSelected(1, true);
    struct {
        SNumberingSettings settings;
        Names names;
    } cases[] = {{{false, "", 2, 1, 0, 5}, {"abc00", "abcde01fg"}},  // the current names
                 {Standard("Track", 3, 5, 10, -1), {"Track010", "Track015"}},
                 {Standard("Track", 3, 5, 10, 0), {"010Track", "015Track"}},
                 {Standard("Track", 3, 5, 10, 2), {"Tr010ack", "Tr015ack"}},
                 {Standard("S", 9, 1, 7, -1), {"S000007", "S000008"}},
                 {Standard("S", 2, 0, 4, -1), {"S04", "S04"}},
                 {Standard("S", 2, 1, 20000, -1), {"S20000", "S20001"}},
                 {Standard("S", 2, 1, 1, -4), {"S01", "S02"}},
                 {Standard("S", 0, 100, -5, 0), {"-5S", "95S"}},
                 {Standard("S", 1, 2000000000, 2000000000, -1), {"S2000000000", "S4000000000"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ApplyNumbering(session, c.settings), ECommandOutcome::Changed);
        EXPECT_EQ(NewNames(), c.names);
        EXPECT_EQ(session.UndoHistory().Top()->GetCount(), 2u);
    }
    for (size_t step = 0; step < std::size(cases); ++step)
        Undo(session);
    EXPECT_EQ(NewNames(), (Names{"abc", "abcdefg"}));
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(NumberingTest, PreviewsKeepValuesWithinTheArrowRanges) {
    EXPECT_EQ(SequencePreview("Song", 2, 1, 1, ".mp3"),
              "Song01.mp3     Song02.mp3     Song03.mp3     Song04.mp3");
    EXPECT_EQ(SequencePreview("S", 9, 0, 20000, ""), "S9000     S9001     S9002     S9003");
    EXPECT_EQ(SequencePreview("S", -1, 500, -3, ".x"), "S0.x     S99.x     S198.x     S297.x");
    EXPECT_EQ(SequencePreview(" S", 2, 1, 0, ""), "S00      S01      S02      S03");
    EXPECT_EQ(PositionPreview("Track", 3, 10, ENumberPosition::After, 2, ".mp3"), "Track010.mp3");
    EXPECT_EQ(PositionPreview("Track", 3, 10, ENumberPosition::Before, 2, ""), "010Track");
    EXPECT_EQ(PositionPreview("Track", 3, 10, ENumberPosition::Offset, -4, ""), "010Track");
    EXPECT_EQ(PositionPreview("Track", 3, 10, ENumberPosition::Offset, 99, ""), "Track010");
    EXPECT_EQ(PositionPreview("Track", 9, 20000, ENumberPosition::After, 0, ""), "Track9000");
    EXPECT_EQ(PositionPreview("\u00e9t\u00e9", 1, 1, ENumberPosition::Offset, 1, ""),
              "\u00e91t\u00e9");
    EXPECT_EQ(ReadNumberBox(" 42x"), 42);
    EXPECT_EQ(ReadNumberBox("x42"), 0);
    EXPECT_EQ(ReadNumberBox("-7"), -7);
    EXPECT_EQ(ReadNumberBox("99999999999999"), 2147483647);
}

TEST_F(NumberingTest, WizardAsksWithTheLongestNameAndRefusesAnEmptyFilename) {
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Unchanged);  // an empty list
    EXPECT_TRUE(prompts.m_wizardInputs.empty());
    AddRow("one.mp3");
    AddRow("three.ogg");
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Cancelled);
    ASSERT_EQ(prompts.m_wizardInputs.size(), 1u);
    EXPECT_EQ(prompts.m_wizardInputs[0].strCurrentName, "three");
    EXPECT_EQ(prompts.m_wizardInputs[0].strSampleExt, ".ogg");
    prompts.m_wizardAnswers.push_back(Standard("Disc", 2, 1, 1, -1));
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"Disc01", "Disc02"}));

    EXPECT_EQ(RenameWizard(session, Standard("", 2, 1, 1, -1)), ECommandOutcome::Cancelled);
    EXPECT_EQ(prompts.m_messages, Names{"Please enter filename"});
    EXPECT_EQ(CheckWizardFilename(" "), "");  // only an empty one is refused
    // "Use current filename" starts from the longest new name, whatever strName holds.
    SNumberingSettings current{false, "x", 1, 1, 7, -1};
    EXPECT_EQ(RenameWizard(session, current), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"Disc017", "Disc028"}));
    session.List().GetEntry(0).m_strNewName.Set("");
    session.List().GetEntry(1).m_strNewName.Set("");
    EXPECT_EQ(RenameWizard(session, current), ECommandOutcome::Cancelled);
    EXPECT_EQ(prompts.m_messages.size(), 2u);
    EXPECT_EQ(session.UndoHistory().GetCount(), 2u);

    session.SetMp3Columns();
    prompts.m_wizardAnswers.push_back(Standard("X", 2, 1, 1, -1));
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Unchanged);
    EXPECT_EQ(prompts.m_wizardInputs.size(), 2u);
}

}  // namespace
