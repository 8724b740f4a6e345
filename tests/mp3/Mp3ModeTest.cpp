#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "files/FileAdder.h"
#include "files/UndoCommand.h"
#include "model/CellEdit.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/Mp3Mode.h"
#include "mp3/NameTagConversion.h"
#include "support/ReadOnlyFile.h"

namespace {

using Codes = std::vector<int>;

Codes CodesOf(const SShownResults& shown) {
    Codes codes;
    for (const SShownResult& row : shown.rows)
        codes.push_back(row.nCode);
    return codes;
}

using ToggleModeTest = Mp3SessionTest;

TEST_F(ToggleModeTest, EnteringMp3ModeReadsEveryTagWithProgress) {
    AddFile("tagged.mp3", kAudio + RawBlock("Song", "Band", "Album", "1999", "Hi", 17));
    AddFile("bare.MP3", kAudio);
    AddFile("short.mp3", std::string(127, 'x'));
    std::string gone = AddFile("gone.mp3", kAudio + RawBlock("Gone"));
    std::remove(gone.c_str());
    Entry(1).EditTitle().Set("kept");
    Entry(1).CommitTag();
    session.TakeSnapshot();
    Entry(0).m_strNewName.Set("edited");
    ASSERT_TRUE(session.CommitSnapshot(kUndoEdit));

    ToggleMode(session);
    EXPECT_TRUE(session.IsMp3Mode());
    EXPECT_EQ(session.m_currentCell.nColumn, kColTitle);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"tagged.mp3", "Song", "Band", "Album", "1999",
                                                "Rock", "Hi"}));
    EXPECT_FALSE(Entry(0).IsTagChanged());
    EXPECT_EQ(Entry(1).Title().Get(), "kept");
    EXPECT_EQ(Entry(3).Title().Get(), "");
    EXPECT_FALSE(session.CanUndo());
    EXPECT_EQ(prompts.m_progressRanges, std::vector<int>{4});
    EXPECT_EQ(prompts.m_progressPositions, (std::vector<int>{0, 1, 2, 3}));

    // Nothing changed: back to normal mode without a question. A file added in MP3 mode
    // brings its tag; a file of another type is not added.
    ToggleMode(session);
    EXPECT_FALSE(session.IsMp3Mode());
    EXPECT_TRUE(prompts.m_messages.empty());
    session.List().Empty();
    ToggleMode(session);
    EXPECT_TRUE(
        CFileAdder(session).Add(dir.WriteFile("T.Mp3", kAudio + RawBlock("Song", "", "", "2001"))));
    EXPECT_FALSE(CFileAdder(session).Add(dir.WriteFile("cover.jpg", kAudio + RawBlock("Picture"))));
    EXPECT_EQ(Row(0), (std::vector<std::string>{"T.Mp3", "Song", "", "", "2001", "", ""}));
    EXPECT_FALSE(Entry(0).IsTagChanged());

    AddFile("notes.txt", "x");  // blocks the switch
    session.SetNormalColumns();
    session.RecomputeAllMp3();
    ToggleMode(session);
    EXPECT_FALSE(session.IsMp3Mode());
}

class SaveId3Test : public Mp3SessionTest {
protected:
    void SetUp() override {
        paths.push_back(AddFile("one.mp3", kAudio + RawBlock("One", "Band")));
        paths.push_back(AddFile("two.mp3", kAudio + RawBlock("Two", "Band", "", "", "", 17)));
        ToggleMode(session);
        CommitCellEdit(session, 0, kColTitle, "First");
        ASSERT_TRUE(session.CanUndo());
        before = {ReadFileBytes(paths[0]), ReadFileBytes(paths[1])};
    }
    bool FilesUnchanged() {
        return ReadFileBytes(paths[0]) == before[0] && ReadFileBytes(paths[1]) == before[1];
    }

    std::vector<std::string> paths;
    std::vector<std::string> before;
};

// Cancel of the question or of the preview stays in MP3 mode with the edits; No
// switches without writing.
TEST_F(SaveId3Test, CancelStaysInMp3ModeAndNoSwitchesWithoutWriting) {
    prompts.m_messageAnswers = {EAnswer::Cancel, EAnswer::Yes};
    prompts.m_resultsAnswers = {false};
    ToggleMode(session);
    ToggleMode(session);
    EXPECT_TRUE(session.IsMp3Mode());
    EXPECT_TRUE(session.CanUndo());
    EXPECT_EQ(prompts.m_messages, std::vector<std::string>(2, "Save changes to MP3 files?"));
    ASSERT_EQ(prompts.m_results.size(), 1u);
    EXPECT_EQ(prompts.m_results[0].strTitle, "Preview");
    EXPECT_EQ(CodesOf(prompts.m_results[0]), (Codes{kResultOk, kResultUnchanged}));
    EXPECT_TRUE(FilesUnchanged());

    prompts.m_messageAnswers = {EAnswer::No};
    ToggleMode(session);
    EXPECT_FALSE(session.IsMp3Mode());
    EXPECT_FALSE(session.CanUndo());
    EXPECT_TRUE(FilesUnchanged());
    EXPECT_TRUE(Entry(0).IsTagChanged());
}

TEST_F(SaveId3Test, YesWritesChangedTagsThenASecondSaveAsksNothing) {
    CommitCellEdit(session, 1, kColGenre, "(none)");
    prompts.m_messageAnswers = {EAnswer::Yes};
    EXPECT_EQ(SaveID3(session), EAnswer::Yes);
    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_EQ(prompts.m_results[1].strTitle, "Results");
    EXPECT_EQ(CodesOf(prompts.m_results[1]), (Codes{kResultOk, kResultOk}));
    EXPECT_EQ(ReadFileBytes(paths[0]), kAudio + RawBlock("First", "Band"));
    EXPECT_EQ(ReadFileBytes(paths[1]).back(), '\xff');
    EXPECT_FALSE(Entry(0).IsTagChanged());
    EXPECT_TRUE(session.CanUndo());

    EXPECT_EQ(SaveID3(session), EAnswer::Yes);
    EXPECT_EQ(prompts.m_messages.size(), 1u);
    EXPECT_EQ(prompts.m_results.size(), 2u);
}

// Without a preview shown, each changed row is judged by its write alone: the same codes.
class SaveId3ProblemTest : public SaveId3Test, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(WithAndWithoutPreview, SaveId3ProblemTest, ::testing::Bool());

TEST_P(SaveId3ProblemTest, ProblemRowsGetTheirCodesAndThePreviewStaysConfirmable) {
    const bool showPreview = GetParam();
    CommitCellEdit(session, 1, kColTitle, "Second");
    const std::string longer = kAudio + kAudio;  // too long to grow under the limit below
    std::string bare = AddFile("bare.mp3", longer);
    std::string gone = AddFile("gone.mp3", kAudio);
    CommitCellEdit(session, 2, kColTitle, "Grows");
    CommitCellEdit(session, 3, kColTitle, "Lost");
    std::remove(gone.c_str());
    CReadOnlyFile readOnly;
    if (!readOnly.Protect(paths[1]))
        GTEST_SKIP() << "this file system cannot make a file read-only for this user";

    {
        CFileSizeLimit limit(2050);
        EXPECT_EQ(SaveID3(session, EAnswer::Yes, showPreview), EAnswer::Yes);
    }
    ASSERT_EQ(prompts.m_results.size(), showPreview ? 2u : 1u);
    if (showPreview) {
        EXPECT_TRUE(prompts.m_results[0].bCanConfirm);
        EXPECT_EQ(CodesOf(prompts.m_results[0]),
                  (Codes{kResultOk, kResultReadOnly, kResultOk, kResultNotFound}));
    }
    EXPECT_EQ(CodesOf(prompts.m_results.back()),
              (Codes{kResultOk, kResultReadOnly, kResultUnexpected, kResultNotFound}));
    EXPECT_EQ(prompts.m_messages.back(), "Cannot open file. Access is denied.");
    EXPECT_EQ(ReadFileBytes(paths[1]), before[1]);
    EXPECT_EQ(ReadFileBytes(bare), longer);
    EXPECT_FALSE(Entry(0).IsTagChanged());
    EXPECT_TRUE(Entry(1).IsTagChanged());
    EXPECT_TRUE(Entry(2).IsTagChanged());
}

using SaveId3FoldersTest = Mp3SessionTest;

TEST_F(SaveId3FoldersTest, EachRowWritesTheFileItsPathNamesWhenTheWriteIsMade) {
    const std::string block = kAudio + RawBlock("Old");
    // The preview ends in folder a, where the writes begin.
    for (const char* name : {"a/song.mp3", "b/song.mp3", "a/other.mp3"})
        AddFile(name, block);
    ToggleMode(session);
    for (int row = 0; row < 3; ++row)
        CommitCellEdit(session, row, kColTitle, "Row " + std::to_string(row));
    // While the preview stands, folder a is moved away and a new one takes its name.
    prompts.m_onPreview = [&] {
        ASSERT_EQ(std::rename((dir / "a").c_str(), (dir / "old").c_str()), 0);
        dir.WriteFile("a/song.mp3", block);
    };
    prompts.m_messageAnswers = {EAnswer::Yes};
    EXPECT_EQ(SaveID3(session), EAnswer::Yes);

    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_EQ(CodesOf(prompts.m_results[1]), (Codes{kResultOk, kResultOk, kResultNotFound}));
    EXPECT_EQ(ReadFileBytes(dir / "a/song.mp3"), kAudio + RawBlock("Row 0"));
    EXPECT_EQ(ReadFileBytes(dir / "b/song.mp3"), kAudio + RawBlock("Row 1"));
    EXPECT_EQ(ReadFileBytes(dir / "old/song.mp3"), block);
    EXPECT_EQ(ReadFileBytes(dir / "old/other.mp3"), block);
}

// Enough rows for the writes to be spread over parallel parts and chunks: every file still
// gets its own tag, failures keep their rows' codes and one message each, in row order.
TEST_F(SaveId3FoldersTest, ManyRowsEachWriteTheirOwnTag) {
    const int rows = 5000;
    const std::string longer = kAudio + kAudio;  // cannot grow under the limit below
    Codes expected;
    for (int row = 0; row < rows; ++row) {
        bool tooLong = row == 3000 || row == 4999;
        AddFile("f" + std::to_string(row) + ".mp3", tooLong ? longer : kAudio + RawBlock("Old"));
        expected.push_back(tooLong          ? kResultUnexpected
                           : row % 500 == 7 ? kResultNotFound
                           : row % 3        ? kResultOk
                                            : kResultUnchanged);
    }
    ToggleMode(session);
    for (int row = 0; row < rows; ++row)
        if (expected[static_cast<size_t>(row)] != kResultUnchanged)
            Entry(row).EditTitle().Set("Row " + std::to_string(row));
    for (int row = 7; row < rows; row += 500)
        std::remove(Entry(row).m_strPath.Get().c_str());
    prompts.m_messageAnswers = {EAnswer::Yes};
    {
        CFileSizeLimit limit(2050);
        EXPECT_EQ(SaveID3(session), EAnswer::Yes);
    }
    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_EQ(CodesOf(prompts.m_results[1]), expected);
    EXPECT_EQ(prompts.m_messages.size(), 3u);  // the question, then one per failed write
    for (int row = 0; row < rows; ++row) {
        int code = expected[static_cast<size_t>(row)];
        if (code == kResultNotFound)
            continue;
        std::string wanted = code == kResultOk ? kAudio + RawBlock("Row " + std::to_string(row))
                             : code == kResultUnchanged ? kAudio + RawBlock("Old")
                                                        : longer;
        ASSERT_EQ(ReadFileBytes(Entry(row).m_strPath.Get()), wanted) << row;
        ASSERT_EQ(Entry(row).IsTagChanged(), code == kResultUnexpected) << row;
    }
}

// A cancel ends reading and writing tags after the chunk in progress: the toggle stays in
// normal mode, and a save writes a first part of the rows, whose tags count as saved,
// while the rest keep their files as they were and their tags as changed.
TEST_F(SaveId3FoldersTest, ACancelStopsReadingAndWritingTagsAfterAChunk) {
    const int rows = 5000;
    for (int row = 0; row < rows; ++row)
        AddFile("f" + std::to_string(row) + ".mp3", kAudio + RawBlock("Old"));
    session.RecomputeAllMp3();
    prompts.m_cancelRequested = [] { return true; };
    ToggleMode(session);
    EXPECT_FALSE(session.IsMp3Mode());
    EXPECT_EQ(session.List().GetColumnCount(), 6);

    prompts.m_cancelRequested = nullptr;
    ToggleMode(session);
    ASSERT_TRUE(session.IsMp3Mode());
    for (int row = 0; row < rows; ++row)
        Entry(row).EditTitle().Set("New");
    prompts.m_messageAnswers = {EAnswer::Yes};
    prompts.m_cancelRequested = [] { return true; };
    EXPECT_EQ(SaveID3(session), EAnswer::Yes);
    ASSERT_EQ(prompts.m_results.size(), 2u);
    Codes codes = CodesOf(prompts.m_results[1]);
    size_t written = static_cast<size_t>(std::count(codes.begin(), codes.end(), kResultOk));
    EXPECT_LT(written, static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        bool wasWritten = static_cast<size_t>(row) < written;
        ASSERT_EQ(codes[static_cast<size_t>(row)], wasWritten ? kResultOk : kResultCancelled);
        ASSERT_EQ(ReadFileBytes(Entry(row).m_strPath.Get()),
                  kAudio + RawBlock(wasWritten ? "New" : "Old"))
            << row;
        ASSERT_EQ(Entry(row).IsTagChanged(), !wasWritten) << row;
    }
}

// A list may name one file twice: its tag is written once, from the first changed row
// naming it, and a later changed row is refused, its file being taken by that row.
TEST_F(SaveId3FoldersTest, AFileNamedByTwoRowsIsWrittenOnceFromTheFirstChangedRow) {
    std::string path = AddFile("song.mp3", kAudio + RawBlock("Old"));
    session.AddEntry(CHitDoc(path));
    std::string other = AddFile("other.mp3", kAudio + RawBlock("Other"));
    session.AddEntry(CHitDoc(path));
    ToggleMode(session);
    CommitCellEdit(session, 1, kColTitle, "First");
    CommitCellEdit(session, 0, kColTitle, "Second");
    CommitCellEdit(session, 2, kColTitle, "Third");
    prompts.m_messageAnswers = {EAnswer::Yes};
    EXPECT_EQ(SaveID3(session), EAnswer::Yes);
    ASSERT_EQ(prompts.m_results.size(), 2u);
    Codes expected{kResultOk, kResultExists, kResultOk, kResultUnchanged};
    EXPECT_EQ(CodesOf(prompts.m_results[0]), expected);
    EXPECT_EQ(CodesOf(prompts.m_results[1]), expected);
    EXPECT_EQ(ReadFileBytes(path), kAudio + RawBlock("Second"));
    EXPECT_EQ(ReadFileBytes(other), kAudio + RawBlock("Third"));
    EXPECT_TRUE(Entry(1).IsTagChanged());
}

TEST_F(Mp3SessionTest, ALockedColumnTakesAnEditInEveryRowAndOneUndoTakesItBack) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        AddFile(name, kAudio + RawBlock(name, "", std::string("Album ") + name));
    ToggleMode(session);
    const std::vector<std::string> albums{"Album a.mp3", "Album b.mp3", "Album c.mp3"};
    observer.m_calls.clear();
    ToggleLock(session, kColAlbum);
    EXPECT_EQ(profile.GetInt("Lock", "3", -1), 1);
    EXPECT_EQ(observer.m_calls, std::vector<std::string>{"titles"});
    EXPECT_TRUE(CommitCellEdit(session, 1, kColAlbum, "  Best of"));
    EXPECT_EQ(Column(kColAlbum), std::vector<std::string>(3, "Best of"));
    Undo(session);
    EXPECT_EQ(Column(kColAlbum), albums);
    EXPECT_FALSE(session.CanUndo());

    ToggleLock(session, kColAlbum);
    EXPECT_EQ(profile.GetInt("Lock", "3", -1), 0);
    CommitCellEdit(session, 2, kColAlbum, "Single");
    EXPECT_EQ(Column(kColAlbum), (std::vector<std::string>{albums[0], albums[1], "Single"}));
    // The Lock command sets the locks from the options sheet.
    prompts.m_options = {SId3EditorOptions{}};
    prompts.m_options[0].lock[kColGenre - 1] = true;
    LockCommand(session);
    EXPECT_TRUE(session.IsLocked(kColGenre));
    EXPECT_EQ(observer.m_calls.back(), "titles");
}

// Names that split at the separator fill title and artist, in memory only; the separator
// offered is the default each time, compared with case, and an empty one splits nothing.
TEST_F(Mp3SessionTest, FilenameToId3FillsTitleAndArtistOfNamesThatSplit) {
    AddFile("Band - Song.mp3", kAudio);
    AddFile("X - Y - Z.mp3", kAudio);
    AddFile("NoSeparator.mp3", kAudio);
    AddFile(" - Lonely.mp3", kAudio);
    Entry(2).EditTitle().Set("kept");
    session.SetMp3Columns();
    observer.m_calls.clear();
    prompts.m_separators = {SSeparatorChoice{" - ", true}};
    FilenameToId3(session);
    EXPECT_EQ(Column(kColArtist), (std::vector<std::string>{"Band", "X", "", ""}));
    EXPECT_EQ(Column(kColTitle), (std::vector<std::string>{"Song", "Y - Z", "kept", ""}));
    EXPECT_EQ(observer.m_calls, (std::vector<std::string>{"changed 0-0", "changed 1-1"}));
    EXPECT_TRUE(Entry(0).IsTagChanged());
    EXPECT_FALSE(session.CanUndo());
    EXPECT_EQ(ReadFileBytes(Entry(0).m_strPath.Get()), kAudio);

    prompts.m_separators = {SSeparatorChoice{"-", false}, SSeparatorChoice{" s", true},
                            SSeparatorChoice{"", true}};
    for (int run = 0; run < 4; ++run)  // the last is cancelled
        FilenameToId3(session);
    EXPECT_EQ(Entry(0).Title().Get(), "Band ");
    EXPECT_EQ(Entry(0).Artist().Get(), " Song");
    ASSERT_EQ(prompts.m_separatorsOffered.size(), 5u);
    for (const SSeparatorChoice& offered : prompts.m_separatorsOffered)
        EXPECT_EQ(offered.strSeparator + (offered.bArtistFirst ? "!" : ""), " - !");
}

// Tags are read from the files (not the rows); each run that changed names is one step.
TEST_F(Mp3SessionTest, Id3ToFilenameComposesNamesFromTheTagsInTheFiles) {
    AddFile("one.mp3", kAudio + RawBlock("Song", "Band"));
    AddFile("two.mp3", kAudio + RawBlock("", "Solo"));
    AddFile("three.mp3", kAudio + RawBlock("", ""));
    AddFile("four.mp3", kAudio);
    std::remove(AddFile("five.mp3", kAudio + RawBlock("Gone", "Band")).c_str());
    Entry(0).EditArtist().Set("Not this one");
    prompts.m_separators = {SSeparatorChoice{" - ", true}, SSeparatorChoice{"_", false}};
    Id3ToFilename(session);
    EXPECT_EQ(NewNames(),
              (std::vector<std::string>{"Band - Song", "Solo - ", "three", "four", "five"}));
    EXPECT_TRUE(prompts.m_messages.empty());
    Id3ToFilename(session);
    Id3ToFilename(session);  // cancelled
    EXPECT_EQ(NewNames()[0], "Song_Band");
    Undo(session);
    EXPECT_EQ(NewNames()[0], "Band - Song");
    Undo(session);
    EXPECT_EQ(NewNames()[0], "one");
    EXPECT_FALSE(session.CanUndo());

    // Disabled in MP3 mode and for a list with another type.
    session.SetMp3Columns();
    EXPECT_FALSE(Id3ToFilename(session, SSeparatorChoice{}));
    session.SetNormalColumns();
    AddFile("notes.txt", "text");
    session.RecomputeAllMp3();
    EXPECT_FALSE(Id3ToFilename(session));
    EXPECT_EQ(prompts.m_separatorsOffered.size(), 3u);
    EXPECT_FALSE(session.CanUndo());
}

}  // namespace
