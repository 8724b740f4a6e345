// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/ID3Tag.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "model/HitDoc.h"
#include "model/TagWriteObserver.h"
#include "mp3/FileRewrite.h"
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
    m_headState = EId3v2Head::None;
    m_strOldHead.clear();
    m_strNote.clear();
    m_readTitle.clear();
    m_readArtist.clear();
    m_readAlbum.clear();
    m_readYear.clear();
    m_readComment.clear();
    m_nReadGenre = -1;
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
    bool read = ReadLastBlock() && ReadHead();
    bool blockRead = read && GetLength() >= kBlockSize;
    Close();
    if (!read)
        return false;
    if (blockRead)
        m_strMarker.assign(reinterpret_cast<const char*>(m_oldBlock.data()), 3);
    TakeFields();
    return m_bTagged || m_headState == EId3v2Head::Tag;
}

bool CID3Tag::WriteTag(const std::string& path, CFolderCache* folders) {
    if (!Open(path, EOpenMode::ReadWrite, folders))
        return false;
    m_strOpenPath = path;
    if (!ReadLastBlock() || !ReadHead()) {
        Close();
        return false;
    }
    // What the file reads as, for the write to tell the changed fields.
    TakeReadFields();
    return WriteOpenTag();
}

bool CID3Tag::OpenTag(const std::string& path, EOpenMode mode) {
    ClearFields();
    if (!Open(path, mode, nullptr, false))
        return false;
    m_strOpenPath = path;
    if (!ReadLastBlock() || !ReadHead()) {
        Close();
        return false;
    }
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

bool CID3Tag::ReadHead() {
    m_headState = EId3v2Head::None;
    m_strOldHead.clear();
    uint64_t length = GetLength();
    if (length < kId3v2HeaderSize)
        return true;
    // Most tags fit in the first read; a longer one takes a second read for the rest.
    constexpr size_t kFirstReadSize = 4096;
    size_t firstRead = static_cast<size_t>(std::min<uint64_t>(length, kFirstReadSize));
    m_strOldHead.resize(firstRead);
    if (!ReadAt(0, m_strOldHead.data(), firstRead))
        return false;
    m_headState = ParseId3v2Header(m_strOldHead, length, m_head);
    if (m_headState != EId3v2Head::Tag) {
        m_strOldHead.clear();
        return true;
    }
    m_strOldHead.resize(m_head.nTagSize);
    if (m_head.nTagSize > firstRead &&
        !ReadAt(firstRead, m_strOldHead.data() + firstRead, m_head.nTagSize - firstRead))
        return false;
    if (!ReadId3v2Fields(m_strOldHead, m_v2)) {
        m_headState = EId3v2Head::Broken;
        m_strOldHead.clear();
        return true;
    }
    // "TAG" inside the ID3v2 tag of a short file is no block: a block written there would
    // break the tag.
    if (m_bTagged && GetLength() - kBlockSize < m_head.nTagSize)
        m_bTagged = false;
    return true;
}

void CID3Tag::TakeReadFields() {
    const CBlock& block = m_oldBlock;
    if (m_headState == EId3v2Head::Tag) {
        m_readTitle = m_v2.strTitle;
        m_readArtist = m_v2.strArtist;
        m_readAlbum = m_v2.strAlbum;
        m_readYear = m_v2.strYear;
        m_readComment = m_v2.strComment;
        m_nReadGenre = m_v2.nGenre;
    } else if (m_bTagged) {
        m_readTitle = ReadText(block, kTitle);
        m_readArtist = ReadText(block, kArtist);
        m_readAlbum = ReadText(block, kAlbum);
        m_readYear = ReadText(block, kYear);
        m_readComment = ReadText(block, kComment);
        m_nReadGenre = GenreOfByte(block[kGenre]);
    }
    m_nTrack = m_bTagged && HasTrack(block) ? block[kTrack] : 0;
    m_strNote = m_headState == EId3v2Head::Broken ? kId3v2UnreadableNote : "";
}

void CID3Tag::TakeFields() {
    TakeReadFields();
    m_strTitle = m_readTitle;
    m_strArtist = m_readArtist;
    m_strAlbum = m_readAlbum;
    m_strYear = m_readYear;
    m_strComment = m_readComment;
    m_nGenre = m_nReadGenre;
}

STagPresence CID3Tag::Presence() const {
    STagPresence presence;
    presence.bV1 = m_bTagged;
    if (m_headState == EId3v2Head::Tag)
        presence.nV2Version = static_cast<uint8_t>(m_head.nVersion);
    presence.bV2Broken = m_headState == EId3v2Head::Broken;
    return presence;
}

CBlock CID3Tag::NewBlock() const {
    const CBlock& old = m_oldBlock;
    const CBlock* kept = m_bTagged ? &old : nullptr;
    // A field that still reads as the file did keeps its old bytes, whichever tag it was
    // read from: an edit of one field leaves the others as they are.
    auto put = [&](CBlock& block, SField field, const std::string& value, const std::string& read) {
        if (kept && value == read)
            CopyField(block, old, field);
        else
            PutField(block, kept, field, value);
    };
    CBlock block{};
    std::memcpy(block.data(), "TAG", 3);
    put(block, kTitle, m_strTitle, m_readTitle);
    put(block, kArtist, m_strArtist, m_readArtist);
    put(block, kAlbum, m_strAlbum, m_readAlbum);
    if (kept && (YearValue(ReadText(old, kYear)) == YearValue(m_strYear) ||
                 YearValue(m_readYear) == YearValue(m_strYear)))
        CopyField(block, old, kYear);
    else
        PutText(block, kYear.nOffset, kYear.nWidth, Utf8ToLatin1(m_strYear));
    if (kept && (ReadsAs(old, kComment, m_strComment) || m_strComment == m_readComment)) {
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
    bool sameGenre = kept && (GenreOfByte(old[kGenre]) == m_nGenre || m_nReadGenre == m_nGenre);
    block[kGenre] = sameGenre ? old[kGenre] : static_cast<unsigned char>(m_nGenre & 0xFF);
    return block;
}

SId3v2Change CID3Tag::ChangedV2Fields() const {
    SId3v2Change change;
    // A tag added takes every field that has a value.
    bool adding = m_headState == EId3v2Head::None;
    auto text = [adding](std::optional<std::string>& to, const std::string& value,
                         const std::string& read) {
        if (adding ? !value.empty() : value != read)
            to = value;
    };
    text(change.title, m_strTitle, m_readTitle);
    text(change.artist, m_strArtist, m_readArtist);
    text(change.album, m_strAlbum, m_readAlbum);
    text(change.comment, m_strComment, m_readComment);
    long year = YearValue(m_strYear);
    if (adding ? year > 0 : year != YearValue(m_readYear))
        change.year = year > 0 ? std::to_string(year) : "";
    if (adding ? m_nGenre >= 0 : m_nGenre != m_nReadGenre)
        change.genre = m_nGenre;
    return change;
}

bool CID3Tag::WriteOpenTag() {
    CBlock block = NewBlock();
    std::string head;
    if (m_headState == EId3v2Head::Tag || (m_headState == EId3v2Head::None && m_bAddId3v2)) {
        SId3v2Change change = ChangedV2Fields();
        EId3v2Update update = EId3v2Update::Updated;
        if (change.Any())
            update = UpdateId3v2Tag(m_strOldHead, m_head, change, head);
        if (update == EId3v2Update::Failed) {
            head.clear();
            m_strNote = kId3v2FramesUnreadableNote;
        } else if (update == EId3v2Update::Converted) {
            m_strNote = kId3v2ConvertedNote;
        }
    }
    bool inPlace = head.empty() || head.size() == m_strOldHead.size();
    bool written = inPlace ? WriteInPlace(block, head.empty() ? nullptr : &head)
                           : WriteAnew(block, head);
    if (written) {
        m_bTagged = true;
        if (!head.empty() && ParseId3v2Header(head, head.size(), m_head) == EId3v2Head::Tag)
            m_headState = EId3v2Head::Tag;
    }
    Close();
    return written;
}

bool CID3Tag::WriteInPlace(const CBlock& block, const std::string* head) {
    uint64_t length = GetLength();
    const CBlock& old = m_oldBlock;
    uint64_t offset = m_bTagged ? length - kBlockSize : length;
    if (!TellWriteObserver(head))
        return false;
    auto putBlockBack = [&] {
        // No half block and no stray bytes at the file's end.
        if (m_bTagged)
            WriteAt(offset, old.data(), kBlockSize, false);
        else
            SetLength(length);
    };
    if (!WriteAt(offset, block.data(), kBlockSize)) {
        putBlockBack();
        return false;
    }
    // The new ID3v2 tag takes the old one's room exactly: one write over it.
    if (head && !WriteAt(0, head->data(), head->size())) {
        putBlockBack();
        WriteAt(0, m_strOldHead.data(), m_strOldHead.size(), false);
        return false;
    }
    return true;
}

bool CID3Tag::WriteAnew(const CBlock& block, const std::string& head) {
    uint64_t length = GetLength();
    SFileSplice splice;
    splice.head = head;
    splice.nFrom = m_strOldHead.size();
    splice.nTo = m_bTagged ? length - kBlockSize : length;
    splice.tail = std::string_view(reinterpret_cast<const char*>(block.data()), kBlockSize);
    bool refused = false;
    bool written = RewriteFile(Descriptor(), m_strOpenPath, splice,
                               [&](uint64_t device, uint64_t inode) {
                                   refused = !TellWriteObserver(&head, device, inode);
                                   return !refused;
                               });
    if (!written && !refused)
        ReportError(errno);
    if (written)
        m_strNote += (m_strNote.empty() ? "" : "; ") + std::string(kId3v2WrittenAnewNote);
    return written;
}

bool CID3Tag::TellWriteObserver(const std::string* head, uint64_t device, uint64_t inode) {
    if (m_pWriteObserver == nullptr)
        return true;
    STagWrite write;
    write.strPath = m_strOpenPath;
    write.nOldLength = GetLength();
    write.bHadTag = m_bTagged;
    if (m_bTagged)
        write.oldBlock = m_oldBlock;
    if (head) {
        write.bHeadWritten = true;
        write.oldHead = m_strOldHead;
        write.nNewHeadLength = head->size();
    }
    if (device != 0 || inode != 0) {
        write.nDevice = device;
        write.nInode = inode;
    } else if (!GetIdentity(write.nDevice, write.nInode)) {
        return false;
    }
    return m_pWriteObserver->TagWriteStarting(write);
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
