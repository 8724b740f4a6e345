// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/TagPresence.h"
#include "mp3/GuardedFile.h"
#include "mp3/Id3v2Fields.h"
#include "mp3/Id3v2Layout.h"
#include "mp3/Id3v2Update.h"

class CFolderCache;
class CHitDoc;
class ITagWriteObserver;

// The ID3v1 block: the last 128 bytes of an MP3 file when they begin with "TAG".
//
//   offset 0 "TAG" | 3 title 30 | 33 artist 30 | 63 album 30 | 93 year 4 | 97 comment 30 |
//   127 genre byte (0 to 144 a genre, 255 none, anything else read as none)
//
// Text fields hold ISO-8859-1 padded with zero bytes; in memory they are UTF-8. A field
// reads as its bytes up to the first zero, trailing white space removed, leading kept.
// ID3v1.1 keeps a track number in the comment's last two bytes (a zero, then the track).
//
// Most files also start with an ID3v2 tag (2.2, 2.3 or 2.4), read through TagLib: where
// there is one its fields are the ones this object takes, whole and in any script, and the
// ID3v1 block only gets their cut Latin-1 copy. A write changes in it only the frames of
// the fields that differ from what the file read as, keeping every other frame's bytes.
//
inline constexpr const char* kId3v2UnreadableNote = "ID3v2 tag left alone: it cannot be read";
inline constexpr const char* kId3v2FramesUnreadableNote =
    "ID3v2 tag left alone: its frames cannot be read";
inline constexpr const char* kId3v2ConvertedNote = "ID3v2.2 tag written as ID3v2.3";
inline constexpr const char* kId3v2WrittenAnewNote =
    "file written anew to make room for the ID3v2 tag";

// A tag object lives for one file operation (or one save run); the file is closed again
// before ReadTag and WriteTag return.
class CID3Tag : public CGuardedFile {
public:
    static constexpr size_t kBlockSize = 128;
    using CBlock = std::array<unsigned char, kBlockSize>;
    // The width of the title, artist, album and comment fields, in bytes on disk.
    static constexpr size_t kTextWidth = 30;

    // What a text field reads as once the text is written into it: its Latin-1 form cut
    // to the field's width, then read back as every field is read.
    static std::string StoredText(std::string_view text);

    using CGuardedFile::CGuardedFile;
    ~CID3Tag() override;

    // True when the file ends in a block or starts with an ID3v2 tag TagLib reads, whose
    // fields are then in this object (the ID3v2 tag's where there is one). A file shorter
    // than 128 bytes has no block; one that cannot be opened has no tag (no message).
    // On false the texts are empty and the genre is -1.
    bool ReadTag(const std::string& path);
    // Writes this object's fields as the file's tag: over the old block when the file
    // has one, otherwise as a new block appended to the file. The block is written in
    // one piece; a write that fails leaves the file as it was (an appended block is cut
    // off again). Wherever a field's value equals what the old block's bytes read as,
    // those bytes are kept, so writing back an unchanged tag changes no byte; an unknown
    // genre byte (145 to 254) and an ID3v1.1 track number survive the same way (the
    // track when the comment to write fits in 28 bytes). In a file with an ID3v2 tag, the
    // frames of the fields that differ from what the file read as are written, over the old
    // tag when the new one fits in its room, else by writing the file anew beside it and
    // renaming it over (Id3v2Note tells); a field that reads as the file did keeps its old
    // bytes in both tags. With a folder cache, the path is looked up through its folder's
    // descriptor.
    bool WriteTag(const std::string& path, CFolderCache* folders = nullptr);

    // The two halves of an edit that opens the file once: OpenTag opens the file itself
    // (a symbolic link is not followed, even one swapped in after a check) and reads its
    // tag into this object as ReadTag does, a file without one reading as empty fields and
    // no genre. False when it does not open (GetOpenError tells why; ELOOP for a link) or
    // the read fails (reported), the file closed again. Once the fields are changed,
    // WriteOpenTag writes them over the block read, as WriteTag does, and closes the file;
    // Close alone leaves it untouched.
    bool OpenTag(const std::string& path, EOpenMode mode);
    bool WriteOpenTag();

    // Who hears each write of this object before it is made (see ITagWriteObserver).
    void SetWriteObserver(ITagWriteObserver* observer) { m_pWriteObserver = observer; }
    // Takes the six tag fields of an entry: its texts, its year as text ("" for none)
    // and its genre number.
    void FillFrom(const CHitDoc& entry);

    // Joins artist and title with the separator in the chosen order; false when both are
    // empty.
    bool ComposeName(std::string& name) const;
    // Splits a name at the first occurrence of the separator (bytes compared exactly).
    // False when the separator is empty or absent. Artist and title are set only when
    // both parts are non-empty.
    bool SplitName(const std::string& name);

    std::string m_strMarker;
    std::string m_strTitle;
    std::string m_strArtist;
    std::string m_strAlbum;
    std::string m_strYear;
    std::string m_strComment;
    int m_nGenre = -1;
    int m_nTrack = 0;  // the ID3v1.1 track number of the block read; 0 for none
    bool m_bArtistFirst = true;
    std::string m_strSeparator;
    // A write gives a file without an ID3v2 tag a 2.3 one.
    bool m_bAddId3v2 = false;

    // Which tags the file held when read, or holds after the write.
    STagPresence Presence() const;
    // What the last read or write did with the ID3v2 tag that a user should hear of (it was
    // left alone, converted, or the file written anew); "" for nothing.
    const std::string& Id3v2Note() const { return m_strNote; }

private:
    void ClearFields();
    // Reads the last block of the open file, if it has one, into m_oldBlock.
    bool ReadLastBlock();
    // What the file reads as (its ID3v2 tag's fields, else its block's) into m_read*, and
    // the ID3v1.1 track; TakeFields makes them this object's fields too.
    void TakeReadFields();
    void TakeFields();

    // Reads the ID3v2 tag at the open file's start, if any, into m_head and m_v2.
    bool ReadHead();
    // The ID3v1 block to write: the fields, the old bytes wherever they still hold.
    CBlock NewBlock() const;
    // The ID3v2 fields that differ from what the file read as.
    SId3v2Change ChangedV2Fields() const;
    // Writes the new ID3v2 tag and ID3v1 block; false when the file was left as it was.
    bool WriteInPlace(const CBlock& block, const std::string* head);
    bool WriteAnew(const CBlock& block, const std::string& head);
    // Tells the observer of the write to come; false when it refused it.
    bool TellWriteObserver(const std::string* head = nullptr, uint64_t device = 0,
                           uint64_t inode = 0);

    CBlock m_oldBlock{};
    bool m_bTagged = false;     // m_oldBlock is the file's tag
    EId3v2Head m_headState = EId3v2Head::None;
    SId3v2Header m_head;
    std::string m_strOldHead;  // the ID3v2 tag's bytes, when m_headState is Tag
    SId3v2Fields m_v2;
    // What the file read as: the fields a write compares with, to know which changed.
    std::string m_readTitle, m_readArtist, m_readAlbum, m_readYear, m_readComment;
    int m_nReadGenre = -1;
    std::string m_strNote;
    std::string m_strOpenPath;  // the path of the file open, for the observer
    ITagWriteObserver* m_pWriteObserver = nullptr;
};
