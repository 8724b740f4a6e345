// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "mp3/GuardedFile.h"

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

    // True when the file ends in a tag, whose fields are then in this object. A file
    // shorter than 128 bytes, or one that cannot be opened, has no tag (no message).
    // On false the texts are empty and the genre is -1.
    bool ReadTag(const std::string& path);
    // Writes this object's fields as the file's tag: over the old block when the file
    // has one, otherwise as a new block appended to the file. The block is written in
    // one piece; a write that fails leaves the file as it was (an appended block is cut
    // off again). Wherever a field's value equals what the old block's bytes read as,
    // those bytes are kept, so writing back an unchanged tag changes no byte; an unknown
    // genre byte (145 to 254) and an ID3v1.1 track number survive the same way (the
    // track when the comment to write fits in 28 bytes). With a folder cache, the path is
    // looked up through its folder's descriptor.
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

private:
    void ClearFields();
    // Reads the last block of the open file, if it has one, into m_oldBlock.
    bool ReadLastBlock();
    // The fields of m_oldBlock into this object.
    void TakeFields();

    // Tells the observer of the write to come; false when it refused it.
    bool TellWriteObserver();

    CBlock m_oldBlock{};
    bool m_bTagged = false;     // m_oldBlock is the file's tag
    std::string m_strOpenPath;  // the path of the file open, for the observer
    ITagWriteObserver* m_pWriteObserver = nullptr;
};
