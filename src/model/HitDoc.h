#pragma once

#include <memory>
#include <string>

#include "model/FileFacts.h"

class CArchiveReader;
class CArchiveWriter;

// One row's file entry: the file facts plus the six ID3v1 fields and their saved copy.
class CHitDoc : public CFileFacts {
public:
    CHitDoc() = default;
    explicit CHitDoc(const std::string& path);
    CHitDoc(const CHitDoc& other) : CFileFacts() { *this = other; }
    CHitDoc(CHitDoc&& other) noexcept : CFileFacts() { *this = std::move(other); }
    // Copies the file fields and the current tag fields; the flags, m_nTag, the saved tag
    // fields and the probe facts stay with this object.
    CHitDoc& operator=(const CHitDoc& other);
    // The same fields, moved: the source keeps its other fields and empty texts.
    CHitDoc& operator=(CHitDoc&& other) noexcept;

    std::string GetNewPath() const;
    std::string GetYearText() const;
    std::string GetGenreText() const;

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

    CTextField m_strTitle;
    CTextField m_strArtist;
    CTextField m_strAlbum;
    CTextField m_strComment;
    int m_nYear = -1;
    int m_nGenre = -1;
    int m_nTag = 0;

    // The tag fields as last read from or written to the file (CommitTag).
    struct SSavedTag {
        std::string strTitle;
        std::string strArtist;
        std::string strAlbum;
        std::string strComment;
        int nYear = -1;
        int nGenre = -1;
    };
    const SSavedTag& GetSavedTag() const;

private:
    // Most rows never have a tag (every row of a list in normal mode), so the saved copy
    // is made by the first commit; until then it is all defaults.
    std::unique_ptr<SSavedTag> m_pSaved;
};

// The decimal value of a text as strtol reads it (leading white space, optional sign,
// digits); 0 when it does not start with a number. Saturates at the limits of int.
long LeadingNumber(const std::string& text);
