// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/FileFacts.h"
#include "model/TagPresence.h"

class CArchiveReader;
class CArchiveWriter;

// The six ID3v1 fields of an entry; the year and genre are -1 when there are none.
struct STagFields {
    CTextField title;
    CTextField artist;
    CTextField album;
    CTextField comment;
    int nYear = -1;
    int nGenre = -1;

    bool operator==(const STagFields& other) const = default;
};

// One row's file entry: the file facts plus the six ID3v1 fields and their saved copy.
class CHitDoc : public CFileFacts {
public:
    CHitDoc() = default;
    explicit CHitDoc(const std::string& path);
    CHitDoc(const CHitDoc& other) : CFileFacts() { *this = other; }
    CHitDoc(CHitDoc&& other) noexcept : CFileFacts() { *this = std::move(other); }
    // Copies the file fields, the current tag fields and which tags the file holds; the flags, m_nTag, the saved tag
    // fields and the probe facts stay with this object.
    CHitDoc& operator=(const CHitDoc& other);
    // The same fields, moved: the source keeps its other fields and no tag.
    CHitDoc& operator=(CHitDoc&& other) noexcept;

    // The path up to the file's name: its folder, with the last "/".
    std::string_view GetFolderPart() const;
    std::string GetNewPath() const;
    std::string GetYearText() const;
    std::string GetGenreText() const;

    // The tag fields as they stand.
    const STagFields& Tag() const { return m_pTag ? *m_pTag : kNoTag; }
    const CTextField& Title() const { return Tag().title; }
    const CTextField& Artist() const { return Tag().artist; }
    const CTextField& Album() const { return Tag().album; }
    const CTextField& Comment() const { return Tag().comment; }
    int Year() const { return Tag().nYear; }
    int Genre() const { return Tag().nGenre; }
    // The tag fields to change.
    STagFields& EditTag();
    CTextField& EditTitle() { return EditTag().title; }
    CTextField& EditArtist() { return EditTag().artist; }
    CTextField& EditAlbum() { return EditTag().album; }
    CTextField& EditComment() { return EditTag().comment; }
    void SetYear(int year) { EditTag().nYear = year; }
    void SetGenre(int genre) { EditTag().nGenre = genre; }

    // Takes the fields of a read tag; the year text is read as a number, 0 meaning none.
    void SetFromTag(const std::string& title, const std::string& artist, const std::string& album,
                    const std::string& yearText, const std::string& comment, int genre);
    void CommitTag();
    bool IsTagChanged() const;
    bool IsSameAs(const CHitDoc& other) const;

    void Serialize(CArchiveWriter& archive) const;
    // False when the archive ends early or is damaged; the entry is then incomplete.
    bool Serialize(CArchiveReader& archive);
    // Whether the path is the one absolute spelling of a file named m_strName: no empty,
    // "." or ".." component, no zero byte, and ending in "/" and the name, which holds no
    // "/". A row loaded from a file must be so, or its rename could land elsewhere.
    bool HasSoundPath() const;

    int m_nTag = 0;
    // Which tags the file held when its tag was last read or written (MP3 mode).
    STagPresence m_tagPresence;

    // The tag fields as last read from or written to the file (CommitTag).
    const STagFields& GetSavedTag() const { return m_pSaved ? *m_pSaved : kNoTag; }

private:
    static const STagFields kNoTag;
    // Most rows never have a tag (every row of a list in normal mode), so the fields and
    // their saved copy are made by the first change and the first commit: a long list
    // keeps its rows small.
    std::unique_ptr<STagFields> m_pTag;
    std::unique_ptr<STagFields> m_pSaved;
};

// The decimal value of a text as strtol reads it (leading white space, optional sign,
// digits); 0 when it does not start with a number. Saturates at the limits of int.
long LeadingNumber(const std::string& text);
