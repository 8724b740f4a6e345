#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "support/SessionFixture.h"
#include "transform/Numbering.h"

namespace {

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

}  // namespace
