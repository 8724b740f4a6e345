#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "support/SessionFixture.h"
#include "transform/NameTools.h"

namespace {

class NameToolsTest : public SessionTest {
protected:
    std::vector<std::string> Column(int column) {
        std::vector<std::string> texts;
        for (int row = 0; row < session.List().GetCount(); ++row)
            texts.push_back(session.List().CellText(row, column));
        return texts;
    }
};

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

}  // namespace
