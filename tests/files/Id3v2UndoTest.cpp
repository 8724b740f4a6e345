// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "files/JournalFormat.h"
#include "files/PutBack.h"
#include "model/TagWriteObserver.h"
#include "mp3/ID3Tag.h"
#include "mp3/Id3v2Files.h"
#include "mp3/Mp3Fixture.h"

namespace {

// Keeps each write as the journal would, through its bytes.
class CJournalingObserver : public ITagWriteObserver {
public:
    bool TagWriteStarting(const STagWrite& write) override {
        AppendTagRecord(m_strRecords, write);
        return true;
    }
    std::vector<STagWrite> Writes() const {
        SJournalContents contents;
        EXPECT_TRUE(ParseJournal(JournalHeader("", 0) + m_strRecords, contents));
        return contents.tags;
    }
    std::string m_strRecords;
};

class Id3v2UndoTest : public ::testing::Test {
protected:
    static std::string Tag(size_t padding) {
        std::vector<std::string> frames = {V2Text(4, "TIT2", "Title"), V2Comment(4, "note")};
        for (const std::string& frame : KeptFrames(4))
            frames.push_back(frame);
        return V2Tag(4, frames, padding);
    }
    // Writes the title into the file through the observer; the write's record comes back.
    STagWrite WriteTitle(const std::string& path, const std::string& title) {
        CJournalingObserver observer;
        CID3Tag tag;
        tag.SetWriteObserver(&observer);
        EXPECT_TRUE(tag.ReadTag(path));
        tag.m_strTitle = title;
        EXPECT_TRUE(tag.WriteTag(path));
        std::vector<STagWrite> writes = observer.Writes();
        EXPECT_EQ(writes.size(), 1u);
        return writes.empty() ? STagWrite() : writes[0];
    }
    static uint64_t Inode(const std::string& path) {
        struct stat facts {};
        stat(path.c_str(), &facts);
        return facts.st_ino;
    }

    CTempDir dir;
};

// A write over the old tag's room and one that made the file anew both go back byte for
// byte; a file that holds its old tags already is in place.
TEST_F(Id3v2UndoTest, TheOldId3v2TagAndBlockGoBackByteForByte) {
    std::string inPlace = dir.WriteFile("a.mp3", Tag(300) + kAudio + RawBlock("Title"));
    std::string grown = dir.WriteFile("b.mp3", Tag(0) + kAudio);
    const std::string before[] = {ReadFileBytes(inPlace), ReadFileBytes(grown)};
    uint64_t inode = Inode(inPlace);
    STagWrite overOld = WriteTitle(inPlace, "Short");
    STagWrite anew = WriteTitle(grown, std::string(400, 'L'));
    EXPECT_EQ(Inode(inPlace), inode);
    EXPECT_EQ(anew.nInode, Inode(grown));
    EXPECT_TRUE(overOld.bHeadWritten && anew.bHeadWritten);
    EXPECT_EQ(overOld.oldHead, Tag(300));
    EXPECT_EQ(RestoreTag(overOld), EPutBack::Renamed);
    EXPECT_EQ(RestoreTag(anew), EPutBack::Renamed);
    EXPECT_EQ(ReadFileBytes(inPlace), before[0]);
    EXPECT_EQ(ReadFileBytes(grown), before[1]);
    EXPECT_EQ(Inode(inPlace), inode);
    EXPECT_EQ(RestoreTag(overOld), EPutBack::InPlace);
}

// A tag added by the option goes again at undo; a file changed since is left alone.
TEST_F(Id3v2UndoTest, AnAddedTagGoesAndAChangedFileStays) {
    std::string plain = dir.WriteFile("p.mp3", kAudio);
    CJournalingObserver observer;
    CID3Tag tag;
    tag.SetWriteObserver(&observer);
    tag.m_bAddId3v2 = true;
    tag.m_strTitle = "Added";
    ASSERT_TRUE(tag.WriteTag(plain));
    ASSERT_EQ(ReadFileBytes(plain).substr(0, 3), "ID3");
    STagWrite added = observer.Writes().at(0);
    EXPECT_EQ(RestoreTag(added), EPutBack::Renamed);
    EXPECT_EQ(ReadFileBytes(plain), kAudio);

    std::string edited = dir.WriteFile("e.mp3", Tag(300) + kAudio + RawBlock("Title"));
    STagWrite write = WriteTitle(edited, "Mine");
    std::string later = ReadFileBytes(edited) + "more audio";
    dir.WriteFile("e.mp3", later);
    EXPECT_EQ(RestoreTag(write), EPutBack::Changed);
    EXPECT_EQ(ReadFileBytes(edited), later);
}

// The record of a write that changed the ID3v2 tag is a kind of its own: cut short
// anywhere, it ends the journal; the records before it are read as ever.
TEST_F(Id3v2UndoTest, AHeadRecordCutShortEndsTheJournal) {
    STagWrite plain;
    plain.strPath = "/m/plain.mp3";
    plain.nOldLength = 1000;
    STagWrite head = plain;
    head.strPath = "/m/head.mp3";
    head.bHeadWritten = true;
    head.oldHead = Tag(10);
    head.nNewHeadLength = 2048;
    std::string first;
    AppendTagRecord(first, plain);
    std::string records = first;
    AppendTagRecord(records, head);
    std::string header = JournalHeader("", 0);
    SJournalContents read;
    ASSERT_TRUE(ParseJournal(header + records, read));
    ASSERT_EQ(read.tags.size(), 2u);
    EXPECT_FALSE(read.tags[0].bHeadWritten);
    EXPECT_EQ(std::tie(read.tags[1].oldHead, read.tags[1].nNewHeadLength, read.tags[1].strPath),
              std::tie(head.oldHead, head.nNewHeadLength, head.strPath));
    for (size_t cut = first.size(); cut < records.size(); ++cut) {
        ASSERT_TRUE(ParseJournal(header + records.substr(0, cut), read));
        EXPECT_EQ(read.tags.size(), 1u) << cut;
    }
}

}  // namespace
