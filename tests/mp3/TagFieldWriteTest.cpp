// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/HitDoc.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"
#include "mp3/ID3Tag.h"
#include "mp3/Mp3Fixture.h"
#include "mp3/TagFile.h"
#include "support/ReadOnlyFile.h"

namespace {

using Values = std::map<int, std::string>;

class TagFieldWriteTest : public ::testing::Test {
protected:
    STagEdit Edit(const std::string& path, const Values& values, bool dryRun = false) {
        entry = CHitDoc();
        entry.m_strPath.Set(path);
        return EditEntryTag(entry, values, dryRun, tag);
    }

    CTempDir dir;
    CFakePrompts prompts;
    CID3Tag tag{&prompts};
    CHitDoc entry;
};

// A block with a track number, bytes after a field's zero and an unknown genre byte: only
// the bytes of the fields given may change.
TEST_F(TagFieldWriteTest, OnlyTheGivenFieldsChangeAndAFileWithoutATagGetsOne) {
    std::string block = RawBlock("Old", std::string("Band\0junk", 9), "Album", "1999", "Note", 200);
    block[125] = '\0';
    block[126] = '\7';
    std::string tagged = dir.WriteFile("tagged.mp3", kAudio + block);
    STagEdit edit = Edit(tagged, {{kColTitle, "New"}, {kColYear, "2001"}});
    EXPECT_EQ(edit.nCode, kResultOk);
    std::string expected = block;
    expected.replace(3, 30, RawField("New", 30));
    expected.replace(93, 4, "2001");
    EXPECT_EQ(ReadFileBytes(tagged), kAudio + expected);

    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    EXPECT_EQ(Edit(bare, {{kColArtist, "A"}, {kColGenre, "Jazz"}}).nCode, kResultOk);
    EXPECT_EQ(ReadFileBytes(bare), kAudio + RawBlock("", "A", "", "", "", 8));
    EXPECT_TRUE(prompts.m_messages.empty());
}

TEST_F(TagFieldWriteTest, AnUnchangedTagOrADryRunWritesNothing) {
    std::string song = dir.WriteFile("song.mp3", kAudio + RawBlock("Song", "", "", "1999"));
    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    // The file, the values typed, whether it is a dry run, and the code it gets.
    std::tuple<std::string, Values, bool, int> cases[] = {
        {song, {{kColTitle, "Song"}, {kColYear, "1999"}}, false, kResultUnchanged},
        {bare, {{kColTitle, ""}, {kColGenre, ""}}, false, kResultUnchanged},
        {song, {{kColTitle, "Other"}}, true, kResultOk},
        {bare, {{kColTitle, "Other"}}, true, kResultOk}};
    for (const auto& [path, values, dryRun, code] : cases) {
        SCOPED_TRACE(path + (dryRun ? " dry" : ""));
        std::string before = ReadFileBytes(path);
        EXPECT_EQ(Edit(path, values, dryRun).nCode, code);
        EXPECT_EQ(entry.IsTagChanged(), code == kResultOk);
        EXPECT_EQ(ReadFileBytes(path), before);
    }
}

// A write cut short by the file size limit is undone, whether the block was to go over
// the old one or after the audio; a read-only file is not touched but still tells whether
// the edit would change it.
TEST_F(TagFieldWriteTest, AFailedWriteLeavesTheFileAsItWas) {
    std::string tagged = dir.WriteFile("tagged.mp3", kAudio + RawBlock("Song", "Band"));
    std::string bare = dir.WriteFile("bare.mp3", kAudio);
    for (const std::string& path : {tagged, bare}) {
        SCOPED_TRACE(path);
        std::string before = ReadFileBytes(path);
        prompts.m_messages.clear();
        {
            CFileSizeLimit limit(1050);
            EXPECT_EQ(Edit(path, {{kColTitle, "New"}}).nCode, kResultUnexpected);
        }
        EXPECT_EQ(ReadFileBytes(path), before);
        EXPECT_EQ(prompts.m_messages.size(), 1u);
    }

    std::string locked = dir.WriteFile("locked.mp3", kAudio + RawBlock("Song"));
    CReadOnlyFile readOnly;
    if (!readOnly.Protect(locked))
        GTEST_SKIP() << "cannot make a file read-only here";
    for (bool change : {false, true}) {
        EXPECT_EQ(Edit(locked, {{kColTitle, change ? "New" : "Song"}}).nCode, kResultReadOnly);
        EXPECT_EQ(entry.IsTagChanged(), change);
    }
    EXPECT_EQ(ReadFileBytes(locked), kAudio + RawBlock("Song"));
}

TEST_F(TagFieldWriteTest, WhatIsNoFileOfItsOwnIsNotOpened) {
    std::string target = dir.WriteFile("target.mp3", kAudio + RawBlock("Song"));
    std::string link = dir / "link.mp3";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    std::string pipe = dir / "pipe.mp3";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const auto& [path, error] : {std::pair{link, EINVAL}, {pipe, EINVAL},
                                      {dir.MakeFolder("d.mp3"), EISDIR}, {dir / "gone.mp3", ENOENT},
                                      {target + "/x.mp3", ENOTDIR}}) {
        SCOPED_TRACE(path);
        STagEdit edit = Edit(path, {{kColTitle, "New"}});
        EXPECT_EQ(std::tuple(edit.nCode, edit.nOpenError), std::tuple(kResultNotFound, error));
    }
    EXPECT_EQ(ReadFileBytes(target), kAudio + RawBlock("Song"));
    EXPECT_TRUE(prompts.m_messages.empty());
}

}  // namespace
