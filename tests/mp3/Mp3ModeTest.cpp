// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "files/RunCommands.h"
#include "model/CellEdit.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/Mp3Mode.h"
#include "mp3/NameTagConversion.h"
#include "support/ReadOnlyFile.h"

namespace {

using Codes = std::vector<int>;
using Names = std::vector<std::string>;

Codes CodesOf(const SShownResults& shown) {
    Codes codes;
    for (const SShownResult& row : shown.rows)
        codes.push_back(row.nCode);
    return codes;
}

// Entering reads every tag, keeps a tag changed in memory and clears the undo history.
TEST_F(Mp3SessionTest, EnteringMp3ModeReadsEveryTag) {
    AddFile("tagged.mp3", kAudio + RawBlock("Song", "Band", "Album", "1999", "Hi", 17));
    AddFile("bare.MP3", kAudio);
    Entry(1).EditTitle().Set("kept");
    Entry(1).CommitTag();
    CommitCellEdit(session, 0, 0, "edited");
    ToggleMode(session);
    EXPECT_EQ(Row(0), (Names{"tagged.mp3", "Song", "Band", "Album", "1999", "Rock", "Hi"}));
    EXPECT_FALSE(Entry(0).IsTagChanged());
    EXPECT_TRUE(Entry(1).Title().Get() == "kept" && !session.CanUndo());

    ToggleMode(session);  // nothing changed: no question
    EXPECT_TRUE(!session.IsMp3Mode() && prompts.m_messages.empty());
}

class SaveId3Test : public Mp3SessionTest {
protected:
    void SetUp() override {
        paths.push_back(AddFile("one.mp3", kAudio + RawBlock("One", "Band")));
        paths.push_back(AddFile("two.mp3", kAudio + RawBlock("Two", "Band", "", "", "", 17)));
        ToggleMode(session);
        CommitCellEdit(session, 0, kColTitle, "First");
        before = {ReadFileBytes(paths[0]), ReadFileBytes(paths[1])};
    }
    std::vector<std::string> paths;
    std::vector<std::string> before;
};

// Leaving MP3 mode asks: Cancel of the question or of the preview stays with the edits,
// No leaves without writing, Yes writes the changed tags; then nothing is asked again.
TEST_F(SaveId3Test, LeavingAsksAndOnlyYesWrites) {
    prompts.m_messageAnswers = {EAnswer::Cancel, EAnswer::Yes, EAnswer::No};
    prompts.m_resultsAnswers = {false};
    for (int toggle = 0; toggle < 2; ++toggle) {
        ToggleMode(session);
        EXPECT_TRUE(session.IsMp3Mode() && session.CanUndo());
    }
    ASSERT_EQ(prompts.m_results.size(), 1u);
    ToggleMode(session);
    EXPECT_FALSE(session.IsMp3Mode() || session.CanUndo());
    EXPECT_EQ(ReadFileBytes(paths[0]), before[0]);

    ToggleMode(session);
    CommitCellEdit(session, 0, kColTitle, "First");
    CommitCellEdit(session, 1, kColGenre, "(none)");
    prompts.m_messageAnswers = {EAnswer::Yes};
    EXPECT_EQ(SaveID3(session), EAnswer::Yes);
    ASSERT_EQ(prompts.m_results.size(), 3u);
    EXPECT_EQ(CodesOf(prompts.m_results[2]), (Codes{kResultOk, kResultOk}));
    EXPECT_EQ(ReadFileBytes(paths[0]), kAudio + RawBlock("First", "Band"));
    EXPECT_EQ(ReadFileBytes(paths[1]).back(), '\xff');
    EXPECT_FALSE(Entry(0).IsTagChanged());
    EXPECT_EQ(SaveID3(session), EAnswer::Yes);
    EXPECT_EQ(std::tuple(prompts.m_messages.size(), prompts.m_results.size()), std::tuple(4u, 3u));
}

// A preview with problems stays confirmable; each row then gets its write's verdict.
TEST_F(SaveId3Test, ProblemRowsGetTheirCodesAndThePreviewStaysConfirmable) {
    CommitCellEdit(session, 1, kColTitle, "Second");
    std::string gone = AddFile("gone.mp3", kAudio);
    CommitCellEdit(session, 2, kColTitle, "Lost");
    std::remove(gone.c_str());
    CReadOnlyFile readOnly;
    if (!readOnly.Protect(paths[1]))
        GTEST_SKIP() << "this file system cannot make a file read-only for this user";

    EXPECT_EQ(SaveID3(session, EAnswer::Yes, true), EAnswer::Yes);
    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_TRUE(prompts.m_results[0].bCanConfirm);
    for (const SShownResults& shown : prompts.m_results)
        EXPECT_EQ(CodesOf(shown), (Codes{kResultOk, kResultReadOnly, kResultNotFound}));
    EXPECT_EQ(ReadFileBytes(paths[1]), before[1]);
    EXPECT_TRUE(Entry(1).IsTagChanged());
}

// A row whose tag loses characters ID3v1 cannot hold is written all the same, "?" in their
// place; its comment in the preview and the results names the fields, in place of "OK".
TEST_F(SaveId3Test, ARowLosingCharactersSaysWhichFieldsInsteadOfOk) {
    CommitCellEdit(session, 0, kColTitle, "\u6771\u4eac \u20ac5");
    CommitCellEdit(session, 0, kColArtist, "\u0416ar");
    CommitCellEdit(session, 1, kColAlbum, "Caf\u00e9");
    EXPECT_EQ(SaveID3(session, EAnswer::Yes, true), EAnswer::Yes);
    ASSERT_EQ(prompts.m_results.size(), 2u);
    EXPECT_TRUE(prompts.m_results[0].bCanConfirm);
    const std::string note = "Title and Artist: characters ID3v1 cannot hold become ?";
    for (const SShownResults& shown : prompts.m_results) {
        EXPECT_EQ(CodesOf(shown), (Codes{kResultOk, kResultOk}));
        EXPECT_EQ(shown.rows[0].strComment, note);
        EXPECT_EQ(shown.rows[1].strComment, "OK");
    }
    EXPECT_EQ(ReadFileBytes(paths[0]), kAudio + RawBlock("?? ?5", "?ar"));
    EXPECT_EQ(ReadFileBytes(paths[1]), kAudio + RawBlock("Two", "Band", "Caf\xe9", "", "", 17));
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
    EXPECT_EQ(SaveID3(session, EAnswer::Yes, true), EAnswer::Yes);
    EXPECT_EQ(CodesOf(prompts.m_results.back()), (Codes{kResultOk, kResultOk, kResultNotFound}));
    EXPECT_EQ(ReadFileBytes(dir / "a/song.mp3"), kAudio + RawBlock("Row 0"));
    EXPECT_EQ(ReadFileBytes(dir / "b/song.mp3"), kAudio + RawBlock("Row 1"));
    EXPECT_EQ(ReadFileBytes(dir / "old/song.mp3"), block);
    EXPECT_EQ(ReadFileBytes(dir / "old/other.mp3"), block);
}

// Enough rows for the writes to be spread over parallel parts and chunks. A cancel ends
// reading tags (the toggle stays in normal mode) and writing them after the chunk in
// progress: the rows taken in have their verdicts, the rest keep their files as they were.
// Done again, every file gets its own tag; the last row's failing write keeps its code.
TEST_F(SaveId3FoldersTest, ManyRowsEachWriteTheirOwnTagAndACancelStopsAfterAChunk) {
    const int rows = 5000;
    const std::string longer = kAudio + kAudio;  // cannot grow under the limit below
    auto expected = [rows](int row) {
        return row == rows - 1 ? kResultUnexpected : row % 3 ? kResultOk : kResultUnchanged;
    };
    for (int row = 0; row < rows; ++row)
        AddFile("f" + std::to_string(row) + ".mp3", row == rows - 1 ? longer : kAudio + RawBlock("Old"));
    session.RecomputeAllMp3();
    prompts.m_cancelRequested = [] { return true; };
    ToggleMode(session);
    EXPECT_FALSE(session.IsMp3Mode());
    prompts.m_cancelRequested = nullptr;
    ToggleMode(session);
    ASSERT_TRUE(session.IsMp3Mode());
    for (int row = 0; row < rows; ++row)
        if (expected(row) != kResultUnchanged)
            Entry(row).EditTitle().Set("Row " + std::to_string(row));

    CFileSizeLimit limit(2050);
    prompts.m_cancelRequested = [] { return true; };
    EXPECT_EQ(SaveID3(session, EAnswer::Yes, false), EAnswer::Yes);
    Codes codes = CodesOf(prompts.m_results.back());
    const auto taken = std::find(codes.begin(), codes.end(), kResultCancelled) - codes.begin();
    EXPECT_LT(taken, rows);
    for (int row = 0; row < rows; ++row) {
        ASSERT_EQ(codes[static_cast<size_t>(row)],
                  row < taken || expected(row) == kResultUnchanged ? expected(row) : kResultCancelled)
            << row;
    }

    prompts.m_cancelRequested = nullptr;
    EXPECT_EQ(SaveID3(session, EAnswer::Yes, false), EAnswer::Yes);
    codes = CodesOf(prompts.m_results.back());
    for (int row = 0; row < rows; ++row) {
        int code = expected(row);
        ASSERT_EQ(codes[static_cast<size_t>(row)],
                  row < taken && code == kResultOk ? kResultUnchanged : code)
            << row;
        std::string wanted = code == kResultOk ? kAudio + RawBlock("Row " + std::to_string(row))
                             : code == kResultUnchanged ? kAudio + RawBlock("Old")
                                                        : longer;
        ASSERT_EQ(ReadFileBytes(Entry(row).m_strPath.Get()), wanted) << row;
    }
}

// A list may name one file twice: its tag is written once, from the first changed row
// naming it, and a later changed row is refused, its file being taken by that row.
TEST_F(SaveId3FoldersTest, AFileNamedByTwoRowsIsWrittenOnceFromTheFirstChangedRow) {
    std::string path = AddFile("song.mp3", kAudio + RawBlock("Old"));
    session.AddEntry(CHitDoc(path));
    session.AddEntry(CHitDoc(path));
    ToggleMode(session);
    CommitCellEdit(session, 1, kColTitle, "First");
    CommitCellEdit(session, 0, kColTitle, "Second");
    EXPECT_EQ(SaveID3(session, EAnswer::Yes, true), EAnswer::Yes);
    Codes expected{kResultOk, kResultExists, kResultUnchanged};
    EXPECT_EQ(CodesOf(prompts.m_results[0]), expected);
    EXPECT_EQ(CodesOf(prompts.m_results[1]), expected);
    EXPECT_EQ(ReadFileBytes(path), kAudio + RawBlock("Second"));
}

TEST_F(Mp3SessionTest, ALockedColumnTakesAnEditInEveryRowAndOneUndoTakesItBack) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        AddFile(name, kAudio + RawBlock(name, "", std::string("Album ") + name));
    ToggleMode(session);
    ToggleLock(session, kColAlbum);
    EXPECT_TRUE(CommitCellEdit(session, 1, kColAlbum, "  Best of"));
    EXPECT_EQ(Column(kColAlbum), Names(3, "Best of"));
    Undo(session);
    EXPECT_EQ(Column(kColAlbum), (Names{"Album a.mp3", "Album b.mp3", "Album c.mp3"}));
}

// A name is built from the tag when it holds an artist or a title, the other part left
// empty; a tag holding neither, or no tag, leaves the name as it was.
TEST_F(Mp3SessionTest, Id3ToFilenameNeedsAnArtistOrATitle) {
    AddFile("artist.mp3", kAudio + RawBlock("", "Band"));
    AddFile("title.mp3", kAudio + RawBlock("Song"));
    AddFile("neither.mp3", kAudio + RawBlock("", "", "Album"));
    AddFile("untagged.mp3", kAudio);
    ASSERT_TRUE(Id3ToFilename(session, SSeparatorChoice{" - ", true}));
    EXPECT_EQ(Entry(0).m_strNewName.Get(), "Band - ");
    EXPECT_EQ(Entry(1).m_strNewName.Get(), " - Song");
    EXPECT_EQ(Entry(2).m_strNewName.Get(), "neither");
    EXPECT_EQ(Entry(3).m_strNewName.Get(), "untagged");
}

// Cancelling the separator dialog cancels the command: no name is built.
TEST_F(Mp3SessionTest, Id3ToFilenameCancelledChangesNoName) {
    AddFile("song.mp3", kAudio + RawBlock("Song", "Band"));
    prompts.m_separators.clear();
    EXPECT_FALSE(Id3ToFilename(session));
    EXPECT_EQ(Entry(0).m_strNewName.Get(), "song");
    EXPECT_FALSE(session.IsModified());
}

// Names that split at the separator fill title and artist, in memory only.
TEST_F(Mp3SessionTest, FilenameToId3FillsTitleAndArtistOfNamesThatSplit) {
    for (const char* name : {"Band - Song.mp3", "X - Y - Z.mp3", "NoSeparator.mp3", " - Lonely.mp3"})
        AddFile(name, kAudio);
    Entry(2).EditTitle().Set("kept");
    session.SetMp3Columns();
    prompts.m_separators = {SSeparatorChoice{" - ", true}};
    FilenameToId3(session);
    EXPECT_EQ(Column(kColArtist), (Names{"Band", "X", "", ""}));
    EXPECT_EQ(Column(kColTitle), (Names{"Song", "Y - Z", "kept", ""}));
    EXPECT_TRUE(Entry(0).IsTagChanged());
    EXPECT_FALSE(session.CanUndo());  // in memory only: the files are as they were
    EXPECT_EQ(ReadFileBytes(Entry(0).m_strPath.Get()), kAudio);
}

}  // namespace
