// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/ID3Tag.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "model/HitDoc.h"
#include "model/TagWriteObserver.h"
#include "mp3/Latin1Text.h"

namespace {

using CBlock = CID3Tag::CBlock;
constexpr size_t kBlockSize = CID3Tag::kBlockSize;

struct SField {
    size_t nOffset;
    size_t nWidth;
};
constexpr size_t kTextWidth = CID3Tag::kTextWidth;
constexpr SField kTitle{3, kTextWidth};
constexpr SField kArtist{33, kTextWidth};
constexpr SField kAlbum{63, kTextWidth};
constexpr SField kYear{93, 4};
constexpr SField kComment{97, kTextWidth};
constexpr size_t kTrackZero = 125;
constexpr size_t kTrack = 126;
constexpr size_t kGenre = 127;
constexpr size_t kShortComment = 28;

bool HasMarker(const CBlock& block) {
    return std::memcmp(block.data(), "TAG", 3) == 0;
}

bool IsTrailingSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The bytes of a field that make its text: up to the first zero, trailing white space cut.
std::string_view TextBytes(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    while (!bytes.empty() && IsTrailingSpace(static_cast<unsigned char>(bytes.back())))
        bytes.remove_suffix(1);
    return bytes;
}

std::string ReadText(const CBlock& block, SField field) {
    return Latin1ToUtf8(TextBytes(std::string_view(
        reinterpret_cast<const char*>(block.data()) + field.nOffset, field.nWidth)));
}

// Whether the field on disk reads as value already.
bool ReadsAs(const CBlock& block, SField field, std::string_view value) {
    return ReadText(block, field) == value;
}

// The first width bytes of the text on disk, zero bytes after it.
void PutText(CBlock& block, size_t offset, size_t width, const std::string& latin1) {
    size_t n = std::min(width, latin1.size());
    std::memcpy(block.data() + offset, latin1.data(), n);
    std::memset(block.data() + offset + n, 0, width - n);
}

int GenreOfByte(unsigned char byte) {
    return byte <= 144 ? byte : -1;
}

// The year an entry takes from a year text: its leading number, 0 meaning none.
long YearValue(const std::string& text) {
    long year = LeadingNumber(text);
    return year == 0 ? -1 : year;
}

bool HasTrack(const CBlock& block) {
    return block[kTrackZero] == 0 && block[kTrack] != 0;
}

void CopyField(CBlock& to, const CBlock& from, SField field) {
    std::memcpy(to.data() + field.nOffset, from.data() + field.nOffset, field.nWidth);
}

// A text field of the new block: the old bytes when they read as the value.
void PutField(CBlock& block, const CBlock* old, SField field, const std::string& value) {
    if (old && ReadsAs(*old, field, value))
        CopyField(block, *old, field);
    else
        PutText(block, field.nOffset, field.nWidth, Utf8ToLatin1(value));
}

}  // namespace

CID3Tag::~CID3Tag() = default;

std::string CID3Tag::StoredText(std::string_view text) {
    std::string bytes = Utf8ToLatin1(text);
    return Latin1ToUtf8(TextBytes(std::string_view(bytes).substr(0, kTextWidth)));
}

void CID3Tag::ClearFields() {
    m_strTitle.clear();
    m_strArtist.clear();
    m_strAlbum.clear();
    m_strYear.clear();
    m_strComment.clear();
    m_nGenre = -1;
    m_nTrack = 0;
}

bool CID3Tag::ReadTag(const std::string& path) {
    ClearFields();
    if (!Open(path, EOpenMode::Read))
        return false;
    bool read = ReadLastBlock() && GetLength() >= kBlockSize;
    Close();
    if (!read)
        return false;
    m_strMarker.assign(reinterpret_cast<const char*>(m_oldBlock.data()), 3);
    if (!m_bTagged)
        return false;
    TakeFields();
    return true;
}

bool CID3Tag::WriteTag(const std::string& path, CFolderCache* folders) {
    if (!Open(path, EOpenMode::ReadWrite, folders))
        return false;
    m_strOpenPath = path;
    if (!ReadLastBlock()) {
        Close();
        return false;
    }
    return WriteOpenTag();
}

bool CID3Tag::OpenTag(const std::string& path, EOpenMode mode) {
    ClearFields();
    if (!Open(path, mode, nullptr, false))
        return false;
    m_strOpenPath = path;
    if (!ReadLastBlock()) {
        Close();
        return false;
    }
    if (m_bTagged)
        TakeFields();
    return true;
}

bool CID3Tag::ReadLastBlock() {
    m_oldBlock.fill(0);
    m_bTagged = false;
    uint64_t length = GetLength();
    if (length < kBlockSize)
        return true;
    if (!ReadAt(length - kBlockSize, m_oldBlock.data(), kBlockSize))
        return false;
    m_bTagged = HasMarker(m_oldBlock);
    return true;
}

void CID3Tag::TakeFields() {
    const CBlock& block = m_oldBlock;
    m_strTitle = ReadText(block, kTitle);
    m_strArtist = ReadText(block, kArtist);
    m_strAlbum = ReadText(block, kAlbum);
    m_strYear = ReadText(block, kYear);
    m_strComment = ReadText(block, kComment);
    m_nGenre = GenreOfByte(block[kGenre]);
    m_nTrack = HasTrack(block) ? block[kTrack] : 0;
}

bool CID3Tag::WriteOpenTag() {
    uint64_t length = GetLength();
    const CBlock& old = m_oldBlock;
    const CBlock* kept = m_bTagged ? &old : nullptr;

    CBlock block{};
    std::memcpy(block.data(), "TAG", 3);
    PutField(block, kept, kTitle, m_strTitle);
    PutField(block, kept, kArtist, m_strArtist);
    PutField(block, kept, kAlbum, m_strAlbum);
    if (kept && YearValue(ReadText(old, kYear)) == YearValue(m_strYear))
        CopyField(block, old, kYear);
    else
        PutText(block, kYear.nOffset, kYear.nWidth, Utf8ToLatin1(m_strYear));
    if (kept && ReadsAs(old, kComment, m_strComment)) {
        CopyField(block, old, kComment);
    } else {
        std::string comment = Utf8ToLatin1(m_strComment);
        if (kept && HasTrack(old) && comment.size() <= kShortComment) {
            PutText(block, kComment.nOffset, kShortComment, comment);
            block[kTrackZero] = 0;
            block[kTrack] = old[kTrack];
        } else {
            PutText(block, kComment.nOffset, kComment.nWidth, comment);
        }
    }
    bool sameGenre = kept && GenreOfByte(old[kGenre]) == m_nGenre;
    block[kGenre] = sameGenre ? old[kGenre] : static_cast<unsigned char>(m_nGenre & 0xFF);

    uint64_t offset = m_bTagged ? length - kBlockSize : length;
    if (!TellWriteObserver()) {
        Close();
        return false;
    }
    bool written = WriteAt(offset, block.data(), kBlockSize);
    if (!written) {
        // Put the file back as it was: no half block and no stray bytes at its end.
        if (m_bTagged)
            WriteAt(offset, old.data(), kBlockSize, false);
        else
            SetLength(length);
    }
    Close();
    return written;
}

bool CID3Tag::TellWriteObserver() {
    if (m_pWriteObserver == nullptr)
        return true;
    STagWrite write;
    write.strPath = m_strOpenPath;
    write.nOldLength = GetLength();
    write.bHadTag = m_bTagged;
    if (m_bTagged)
        write.oldBlock = m_oldBlock;
    return GetIdentity(write.nDevice, write.nInode) && m_pWriteObserver->TagWriteStarting(write);
}

void CID3Tag::FillFrom(const CHitDoc& entry) {
    m_strTitle = entry.Title().Get();
    m_strArtist = entry.Artist().Get();
    m_strAlbum = entry.Album().Get();
    m_strComment = entry.Comment().Get();
    m_strYear = entry.GetYearText();
    m_nGenre = entry.Genre();
}

bool CID3Tag::ComposeName(std::string& name) const {
    if (m_strArtist.empty() && m_strTitle.empty())
        return false;
    const std::string& first = m_bArtistFirst ? m_strArtist : m_strTitle;
    const std::string& second = m_bArtistFirst ? m_strTitle : m_strArtist;
    name = first + m_strSeparator + second;
    return true;
}

bool CID3Tag::SplitName(const std::string& name) {
    if (m_strSeparator.empty())
        return false;
    size_t at = name.find(m_strSeparator);
    if (at == std::string::npos)
        return false;
    std::string left = name.substr(0, at);
    std::string right = name.substr(at + m_strSeparator.size());
    if (!left.empty() && !right.empty()) {
        m_strArtist = m_bArtistFirst ? left : right;
        m_strTitle = m_bArtistFirst ? right : left;
    }
    return true;
}
