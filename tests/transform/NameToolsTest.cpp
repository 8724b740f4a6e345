#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "support/SessionFixture.h"
#include "transform/FindReplace.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"

namespace {

using NameToolsTest = SessionTest;

TEST_F(NameToolsTest, EveryCommandRewritesEveryNewNameAsOneStepAndNeverTheExtension) {
    struct {
        ETextOperation operation;
        std::vector<std::string> names;
    } cases[] = {
        {ETextOperation::SentenceCase, {"My song", "Readme", "Thequickfox", "Caf\u00e9 noir"}},
        {ETextOperation::Lowercase, {"my song", "readme", "thequickfox", "caf\u00e9 noir"}},
        {ETextOperation::Uppercase, {"MY SONG", "README", "THEQUICKFOX", "CAF\u00c9 NOIR"}},
        {ETextOperation::TitleCase, {"My Song", "Readme", "Thequickfox", "Caf\u00e9 Noir"}},
        {ETextOperation::ToggleCase, {"my song", "rEADmE", "THEqUICKfOX", "cAF\u00e9 NOIR"}},
        {ETextOperation::InsertSpaces, {"MY SONG", "Read Me", "the Quick Fox", "Caf\u00e9 noir"}},
    };
    for (const auto& c : cases) {
        session.List().Empty();
        session.UndoHistory().Clear();
        for (const char* name : {"MY SONG.MP3", "ReadMe.TXT", "theQuickFox", "Caf\u00e9 noir.flac"})
            AddRow(name);
        session.List().SetSelected(1, true);
        observer.m_calls.clear();
        EXPECT_EQ(TransformNames(session, c.operation), ECommandOutcome::Changed);
        EXPECT_EQ(NewNames(), c.names);
        EXPECT_EQ(Column(2), (std::vector<std::string>{".MP3", ".TXT", "", ".flac"}));
        EXPECT_EQ(observer.m_calls, (std::vector<std::string>{"end editing", "changed 0-3"}));
        EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
        if (c.operation != ETextOperation::ToggleCase) {  // a second run changes nothing
            EXPECT_EQ(TransformNames(session, c.operation), ECommandOutcome::Unchanged);
            EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
        }
        Undo(session);
        EXPECT_EQ(NewNames(),
                  (std::vector<std::string>{"MY SONG", "ReadMe", "theQuickFox", "Caf\u00e9 noir"}));
    }
}

TEST_F(NameToolsTest, LeadingBlanksGoFromResultsLongerThanOneCharacter) {
    for (const char* name : {"  My File", " ", "  ", "", "\t x ", "x"})
        AddRow(name);
    TransformNames(session, ETextOperation::Lowercase);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"my file", " ", "", "", "x ", "x"}));
}

TEST_F(NameToolsTest, SwapOffersTheDefaultMiddleEachTimeAndKeepsTheAnswer) {
    AddRow("Artist - Title.mp3");
    AddRow("No middle here.mp3");
    prompts.m_swapMiddles = {"-"};
    EXPECT_EQ(SwapNames(session), ECommandOutcome::Changed);
    EXPECT_EQ(session.m_strMiddle, "-");
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"Title-Artist ", "No middle here"}));

    EXPECT_EQ(SwapNames(session), ECommandOutcome::Cancelled);
    EXPECT_EQ(prompts.m_swapMiddlesOffered, (std::vector<std::string>{" - ", " - "}));
    EXPECT_EQ(session.m_strMiddle, " - ");
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"Title-Artist ", "No middle here"}));
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
}

class Mp3NameToolsTest : public NameToolsTest {
protected:
    void SetUp() override {
        for (const char* name : {"one.mp3", "two.mp3"}) {
            CHitDoc& entry = AddRow(name);
            entry.m_strTitle.Set("TITLE " + std::string(name));
            entry.m_strArtist.Set("ARTIST");
            entry.m_strAlbum.Set("ALBUM");
            entry.m_strComment.Set("  COMMENT");
            entry.m_nYear = 1999;
            entry.m_nGenre = 17;
        }
        session.SetMp3Columns();
    }

    void Choose(std::array<bool, 4> format) {
        SId3EditorOptions options;
        options.format = format;
        prompts.m_options.push_back(options);
    }
};

TEST_F(Mp3NameToolsTest, OnlyTheChosenTagFieldsChange) {
    Choose({false, true, false, false});
    EXPECT_EQ(TransformNames(session, ETextOperation::Lowercase), ECommandOutcome::Changed);
    EXPECT_EQ(prompts.m_optionsPages, (std::vector<EOptionsPage>{EOptionsPage::Id3Editor}));
    EXPECT_EQ(Column(kColArtist), (std::vector<std::string>{"artist", "artist"}));
    EXPECT_EQ(Column(kColTitle), (std::vector<std::string>{"TITLE one.mp3", "TITLE two.mp3"}));
    EXPECT_EQ(Column(kColAlbum), (std::vector<std::string>{"ALBUM", "ALBUM"}));
    EXPECT_EQ(Column(kColFilename), (std::vector<std::string>{"one.mp3", "two.mp3"}));
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"one", "two"}));

    Choose({true, true, true, true});
    TransformNames(session, ETextOperation::TitleCase);
    EXPECT_EQ(Column(kColTitle), (std::vector<std::string>{"Title One.mp3", "Title Two.mp3"}));
    EXPECT_EQ(Column(kColComment), (std::vector<std::string>{"Comment", "Comment"}));
    EXPECT_EQ(Column(kColYear), (std::vector<std::string>{"1999", "1999"}));
    EXPECT_EQ(Column(kColGenre), (std::vector<std::string>{"Rock", "Rock"}));
    EXPECT_EQ(session.UndoHistory().GetCount(), 2u);
    Undo(session);
    EXPECT_EQ(Column(kColTitle), (std::vector<std::string>{"TITLE one.mp3", "TITLE two.mp3"}));
    EXPECT_EQ(Column(kColArtist), (std::vector<std::string>{"artist", "artist"}));
}

TEST_F(Mp3NameToolsTest, CancellingTheOptionsSheetOrChoosingNothingChangesNothing) {
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Cancelled);
    Choose({false, false, false, false});
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Unchanged);
    EXPECT_EQ(Column(kColTitle), (std::vector<std::string>{"TITLE one.mp3", "TITLE two.mp3"}));
    EXPECT_FALSE(session.CanUndo());

    session.List().Empty();
    Choose({true, true, true, true});
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Unchanged);
    EXPECT_EQ(prompts.m_optionsPages.size(), 3u);
}

TEST_F(Mp3NameToolsTest, TheFormsTakingAFieldChoiceShowNoSheet) {
    EXPECT_EQ(TransformNames(session, ETextOperation::Lowercase, {false, true, false, false}),
              ECommandOutcome::Changed);
    EXPECT_EQ(SwapNames(session, "one", {true, false, false, false}), ECommandOutcome::Changed);
    EXPECT_EQ(session.m_strMiddle, "one");
    EXPECT_EQ(ReplaceAll(session, SReplaceSettings{"a", "4", false}, {false, false, true, false}),
              ECommandOutcome::Changed);
    EXPECT_TRUE(prompts.m_optionsPages.empty());
    EXPECT_EQ(Column(kColArtist), (std::vector<std::string>{"artist", "artist"}));
    EXPECT_EQ(Column(kColTitle), (std::vector<std::string>{".mp3oneTITLE ", "TITLE two.mp3"}));
    EXPECT_EQ(Column(kColAlbum), (std::vector<std::string>{"4LBUM", "4LBUM"}));
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);
}

SNumberingSettings Standard(const std::string& name, int digits, int increment, int start,
                            int offset) {
    return {true, name, digits, increment, start, offset};
}

using NumberingTest = SessionTest;

TEST_F(NumberingTest, LongestNameByCharactersFirstRowWinsATie) {
    EXPECT_EQ(LongestNewName(session.List()).strCurrentName, "");
    AddRow(".profile");
    SWizardInput none = LongestNewName(session.List());
    EXPECT_EQ(none.strCurrentName, "");
    EXPECT_EQ(none.strSampleExt, "");

    for (const char* name : {"abcd.txt", "wxyz.mp3", "\u00e9t\u00e9s.ogg"})  // 4 characters
        AddRow(name);
    SWizardInput longest = LongestNewName(session.List());
    EXPECT_EQ(longest.strCurrentName, "abcd");
    EXPECT_EQ(longest.strSampleExt, ".txt");
    EXPECT_EQ(MaxOffset("\u00e9t\u00e9s"), 4);
    AddRow("vwxyz.flac");
    EXPECT_EQ(LongestNewName(session.List()).strSampleExt, ".flac");
}

TEST_F(NumberingTest, FinishNumbersEveryRowInListOrderAsOneStep) {
    AddRow("a.mp3");
    AddRow("bbbbbb.mp3");
    AddRow("c.mp3");
    session.List().SetSelected(1, true);
    struct {
        int offset;
        std::vector<std::string> names;
    } positions[] = {{-1, {"Track010", "Track015", "Track020"}},
                     {0, {"010Track", "015Track", "020Track"}},
                     {2, {"Tr010ack", "Tr015ack", "Tr020ack"}}};
    for (const auto& p : positions) {
        EXPECT_EQ(ApplyNumbering(session, Standard("Track", 3, 5, 10, p.offset)),
                  ECommandOutcome::Changed);
        EXPECT_EQ(NewNames(), p.names);
    }
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);
    EXPECT_EQ(session.UndoHistory().Top()->GetCount(), 3u);
    for (int step = 0; step < 3; ++step)
        Undo(session);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "bbbbbb", "c"}));
}

TEST_F(NumberingTest, FinishUsesValuesOutsideTheArrowRangesAsRead) {
    AddRow("abc.mp3");
    AddRow("abcdefg.mp3");
    SNumberingSettings current = Standard("", 2, 1, 0, 5);
    current.bStandardName = false;
    ApplyNumbering(session, current);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"abc00", "abcde01fg"}));

    struct {
        SNumberingSettings settings;
        std::vector<std::string> names;
    } cases[] = {
        {Standard("S", 9, 1, 7, -1), {"S000007", "S000008"}},
        {Standard("S", 2, 0, 4, -1), {"S04", "S04"}},
        {Standard("S", 2, 1, 20000, -1), {"S20000", "S20001"}},
        {Standard("S", 2, 1, 1, -4), {"S01", "S02"}},
        {Standard("S", 0, 100, -5, 0), {"-5S", "95S"}},
        {Standard("S", 1, 2000000000, 2000000000, -1), {"S2000000000", "S4000000000"}},
    };
    for (const auto& c : cases) {
        ApplyNumbering(session, c.settings);
        EXPECT_EQ(NewNames(), c.names);
    }
}

TEST_F(NumberingTest, PreviewsKeepValuesWithinTheArrowRanges) {
    EXPECT_EQ(SequencePreview("Song", 2, 1, 1, ".mp3"),
              "Song01.mp3     Song02.mp3     Song03.mp3     Song04.mp3");
    EXPECT_EQ(SequencePreview("S", 9, 0, 20000, ""), "S9000     S9001     S9002     S9003");
    EXPECT_EQ(SequencePreview("S", -1, 500, -3, ".x"), "S0.x     S99.x     S198.x     S297.x");
    EXPECT_EQ(SequencePreview(" S", 2, 1, 0, ""), "S00      S01      S02      S03");

    EXPECT_EQ(PositionPreview("Track", 3, 10, ENumberPosition::After, 2, ".mp3"), "Track010.mp3");
    EXPECT_EQ(PositionPreview("Track", 3, 10, ENumberPosition::Before, 2, ""), "010Track");
    EXPECT_EQ(PositionPreview("Track", 3, 10, ENumberPosition::Offset, 2, ""), "Tr010ack");
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

TEST_F(NumberingTest, WizardCommandAsksWithTheLongestNameAndAppliesOnFinish) {
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Unchanged);
    EXPECT_TRUE(prompts.m_wizardInputs.empty());

    AddRow("one.mp3");
    AddRow("three.ogg");
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Cancelled);
    ASSERT_EQ(prompts.m_wizardInputs.size(), 1u);
    EXPECT_EQ(prompts.m_wizardInputs[0].strCurrentName, "three");
    EXPECT_EQ(prompts.m_wizardInputs[0].strSampleExt, ".ogg");
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"one", "three"}));
    EXPECT_FALSE(session.CanUndo());

    prompts.m_wizardAnswers.push_back(Standard("Disc", 2, 1, 1, -1));
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"Disc01", "Disc02"}));
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);

    session.SetMp3Columns();
    prompts.m_wizardAnswers.push_back(Standard("X", 2, 1, 1, -1));
    EXPECT_EQ(RenameWizard(session), ECommandOutcome::Unchanged);
    EXPECT_EQ(prompts.m_wizardInputs.size(), 2u);
}

TEST_F(NumberingTest, AWizardFinishedWithAnEmptyFilenameIsRefused) {
    AddRow("a.mp3");
    AddRow("b.mp3");
    EXPECT_EQ(RenameWizard(session, Standard("", 2, 1, 1, -1)), ECommandOutcome::Cancelled);
    EXPECT_EQ(prompts.m_messageIds, std::vector<EMessageId>{EMessageId::EnterFilename});
    EXPECT_EQ(prompts.m_messages, std::vector<std::string>{"Please enter filename"});
    EXPECT_EQ(CheckWizardFilename(" "), "");  // only an empty one is refused

    // "Use current filename" starts from the longest new name, whatever strName holds.
    SNumberingSettings current{false, "", 1, 1, 7, -1};
    EXPECT_EQ(RenameWizard(session, current), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a7", "b8"}));
    session.List().GetEntry(0).m_strNewName.Set("");
    session.List().GetEntry(1).m_strNewName.Set("");
    EXPECT_EQ(RenameWizard(session, current), ECommandOutcome::Cancelled);
    EXPECT_EQ(prompts.m_messages.size(), 2u);
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
}

}  // namespace
