// SPDX-License-Identifier: GPL-3.0-or-later
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

const STagFields CHitDoc::kNoTag;

CHitDoc& CHitDoc::operator=(const CHitDoc& other) {
    if (this == &other)
        return *this;
    AssignFileFields(other);
    m_tagPresence = other.m_tagPresence;
    if (other.m_pTag)
        EditTag() = *other.m_pTag;
    else
        m_pTag.reset();
    return *this;
}

CHitDoc& CHitDoc::operator=(CHitDoc&& other) noexcept {
    if (this == &other)
        return *this;
    AssignFileFields(std::move(other));
    m_tagPresence = other.m_tagPresence;
    m_pTag = std::move(other.m_pTag);
    return *this;
}

STagFields& CHitDoc::EditTag() {
    if (!m_pTag)
        m_pTag = std::make_unique<STagFields>();
    return *m_pTag;
}

std::string_view CHitDoc::GetFolderPart() const {
    std::string_view path = m_strPath.Get();
    size_t nameLength = m_strName.GetLength();
    return path.substr(0, path.size() >= nameLength ? path.size() - nameLength : 0);
}

std::string CHitDoc::GetNewPath() const {
    std::string_view folder = GetFolderPart();
    std::string newPath;
    newPath.reserve(folder.size() + m_strNewName.GetLength() + m_strExt.GetLength());
    newPath.append(folder).append(m_strNewName.Get()).append(m_strExt.Get());
    return newPath;
}

std::string CHitDoc::GetYearText() const {
    return Year() == -1 ? std::string() : std::to_string(Year());
}

std::string CHitDoc::GetGenreText() const {
    return GenreName(Genre());
}

void CHitDoc::SetFromTag(const std::string& title, const std::string& artist,
                         const std::string& album, const std::string& yearText,
                         const std::string& comment, int genre) {
    STagFields& tag = EditTag();
    tag.title.Set(title);
    tag.artist.Set(artist);
    tag.album.Set(album);
    tag.comment.Set(comment);
    long year = LeadingNumber(yearText);
    tag.nYear = year == 0 ? -1 : static_cast<int>(year);
    tag.nGenre = genre;
    CommitTag();
}

void CHitDoc::CommitTag() {
    if (!m_pTag && !m_pSaved)
        return;
    if (!m_pSaved)
        m_pSaved = std::make_unique<STagFields>();
    *m_pSaved = Tag();
}

bool CHitDoc::IsTagChanged() const {
    return Tag() != GetSavedTag();
}

bool CHitDoc::IsSameAs(const CHitDoc& other) const {
    return SameFileFields(other) && Tag() == other.Tag();
}

void CHitDoc::Serialize(CArchiveWriter& archive) const {
    archive.WriteString(m_strName.Get());
    archive.WriteString(m_strNewName.Get());
    archive.WriteString(m_strExt.Get());
    archive.WriteString(m_strPath.Get());
    archive.WriteString(m_strSize.Get());
    archive.WriteUInt32(static_cast<uint32_t>(m_nSize));
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
    m_strModified.Set(std::move(modified));
    m_timeModified = time;
    return true;
}
