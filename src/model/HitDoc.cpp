#include "model/HitDoc.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "model/Archive.h"
#include "model/GenreTable.h"
#include "platform/PathFacts.h"

long LeadingNumber(const std::string& text) {
    long value = std::strtol(text.c_str(), nullptr, 10);
    return std::clamp<long>(value, INT_MIN, INT_MAX);
}

CHitDoc::CHitDoc(const std::string& path) {
    FillFromPath(path);
}

namespace {

template <class Source>
void AssignCarriedFields(CHitDoc& target, Source&& other) {
    target.m_strTitle = std::forward<Source>(other).m_strTitle;
    target.m_strArtist = std::forward<Source>(other).m_strArtist;
    target.m_strAlbum = std::forward<Source>(other).m_strAlbum;
    target.m_strComment = std::forward<Source>(other).m_strComment;
    target.m_nYear = other.m_nYear;
    target.m_nGenre = other.m_nGenre;
}

}  // namespace

CHitDoc& CHitDoc::operator=(const CHitDoc& other) {
    if (this == &other)
        return *this;
    AssignFileFields(other);
    AssignCarriedFields(*this, other);
    return *this;
}

CHitDoc& CHitDoc::operator=(CHitDoc&& other) noexcept {
    if (this == &other)
        return *this;
    AssignFileFields(std::move(other));
    AssignCarriedFields(*this, std::move(other));
    return *this;
}

std::string CHitDoc::GetNewPath() const {
    // Built in one allocation: a run asks every row for it.
    const std::string& path = m_strPath.Get();
    size_t nameLength = m_strName.GetLength();
    size_t folderLength = path.size() >= nameLength ? path.size() - nameLength : 0;
    std::string newPath;
    newPath.reserve(folderLength + m_strNewName.GetLength() + m_strExt.GetLength());
    newPath.append(path, 0, folderLength).append(m_strNewName.Get()).append(m_strExt.Get());
    return newPath;
}

std::string CHitDoc::GetYearText() const {
    return m_nYear == -1 ? std::string() : std::to_string(m_nYear);
}

std::string CHitDoc::GetGenreText() const {
    return GenreName(m_nGenre);
}

void CHitDoc::SetFromTag(const std::string& title, const std::string& artist,
                         const std::string& album, const std::string& yearText,
                         const std::string& comment, int genre) {
    m_strTitle.Set(title);
    m_strArtist.Set(artist);
    m_strAlbum.Set(album);
    m_strComment.Set(comment);
    long year = LeadingNumber(yearText);
    m_nYear = year == 0 ? -1 : static_cast<int>(year);
    m_nGenre = genre;
    CommitTag();
}

const CHitDoc::SSavedTag& CHitDoc::GetSavedTag() const {
    static const SSavedTag kNone;
    return m_pSaved ? *m_pSaved : kNone;
}

void CHitDoc::CommitTag() {
    if (!m_pSaved)
        m_pSaved = std::make_unique<SSavedTag>();
    *m_pSaved = SSavedTag{m_strTitle.Get(),   m_strArtist.Get(), m_strAlbum.Get(),
                          m_strComment.Get(), m_nYear,           m_nGenre};
}

bool CHitDoc::IsTagChanged() const {
    const SSavedTag& saved = GetSavedTag();
    return saved.strTitle != m_strTitle.Get() || saved.strArtist != m_strArtist.Get() ||
           saved.strAlbum != m_strAlbum.Get() || saved.strComment != m_strComment.Get() ||
           saved.nYear != m_nYear || saved.nGenre != m_nGenre;
}

bool CHitDoc::IsSameAs(const CHitDoc& other) const {
    return SameFileFields(other) && m_strTitle == other.m_strTitle &&
           m_strArtist == other.m_strArtist && m_strAlbum == other.m_strAlbum &&
           m_nYear == other.m_nYear && m_nGenre == other.m_nGenre &&
           m_strComment == other.m_strComment;
}

void CHitDoc::Serialize(CArchiveWriter& archive) const {
    archive.WriteString(m_strName.Get());
    archive.WriteString(m_strNewName.Get());
    archive.WriteString(m_strExt.Get());
    archive.WriteString(m_strPath.Get());
    archive.WriteString(m_strSize.Get());
    archive.WriteUInt32(m_dwSize);
    archive.WriteString(m_strModified.Get());
    archive.WriteUInt32(static_cast<uint32_t>(m_timeModified));
}

bool CHitDoc::HasSoundPath() const {
    const std::string& name = m_strName.Get();
    const std::string& path = m_strPath.Get();
    if (name.empty() || name.find('/') != std::string::npos || name.size() >= path.size())
        return false;
    return IsPlainAbsolutePath(path) && path.ends_with(name) &&
           path[path.size() - name.size() - 1] == '/';
}

bool CHitDoc::Serialize(CArchiveReader& archive) {
    std::string name, newName, ext, path, size, modified;
    uint32_t lowSize = 0, time = 0;
    if (!archive.ReadString(name) || !archive.ReadString(newName) || !archive.ReadString(ext) ||
        !archive.ReadString(path) || !archive.ReadString(size) || !archive.ReadUInt32(lowSize) ||
        !archive.ReadString(modified) || !archive.ReadUInt32(time))
        return false;
    m_strName.Set(std::move(name));
    m_strNewName.Set(std::move(newName));
    m_strExt.Set(std::move(ext));
    m_strPath.Set(std::move(path));
    // The size text holds the full size; the 4-byte field only its low 32 bits.
    errno = 0;
    char* end = nullptr;
    unsigned long long full = std::strtoull(size.c_str(), &end, 10);
    bool textIsSize =
        errno == 0 && end != size.c_str() && *end == '\0' && static_cast<uint32_t>(full) == lowSize;
    m_nSize = textIsSize ? full : lowSize;
    m_strSize.Set(std::move(size));
    m_dwSize = lowSize;
    m_strModified.Set(std::move(modified));
    m_timeModified = time;
    return true;
}
