// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Id3v2Layout.h"

namespace {

constexpr unsigned char kUnsynchronisationFlag = 0x80;
constexpr unsigned char kExtendedHeaderFlag = 0x40;

unsigned char Byte(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// Four bytes of seven bits each, as the header (and 2.4 frame sizes) keep numbers.
bool SynchsafeAt(std::string_view bytes, size_t at, uint64_t& value) {
    value = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (Byte(bytes, at + i) & 0x80)
            return false;
        value = (value << 7) | Byte(bytes, at + i);
    }
    return true;
}

void PutSynchsafe(std::string& out, size_t value) {
    for (int shift = 21; shift >= 0; shift -= 7)
        out += static_cast<char>((value >> shift) & 0x7F);
}

void PutBigEndian(std::string& out, size_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

uint64_t BigEndianAt(std::string_view bytes, size_t at) {
    uint64_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | Byte(bytes, at + i);
    return value;
}

bool IsFrameIdAt(std::string_view bytes, size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4)
        return false;
    for (char c : bytes.substr(at, 4))
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

EId3v2Head ParseId3v2Header(std::string_view first, uint64_t fileLength, SId3v2Header& header) {
    header = SId3v2Header();
    if (first.size() < kId3v2HeaderSize || first.substr(0, 3) != "ID3")
        return EId3v2Head::None;
    int version = Byte(first, 3);
    uint64_t bodySize = 0;
    if (version < 2 || version > 4 || Byte(first, 4) == 0xFF || !SynchsafeAt(first, 6, bodySize))
        return EId3v2Head::Broken;
    header.nVersion = version;
    header.nFlags = Byte(first, 5);
    header.bFooter = version == 4 && (header.nFlags & kId3v2FooterFlag);
    header.bUnsynchronised = header.nFlags & kUnsynchronisationFlag;
    header.nTagSize = kId3v2HeaderSize + bodySize + (header.bFooter ? kId3v2HeaderSize : 0);
    if (header.nTagSize > fileLength)
        return EId3v2Head::Broken;
    return EId3v2Head::Tag;
}

bool ListId3v2Frames(std::string_view tag, const SId3v2Header& header,
                     std::vector<SId3v2Frame>& frames, size_t& framesStart, size_t& framesEnd) {
    frames.clear();
    size_t end = tag.size() - (header.bFooter ? kId3v2HeaderSize : 0);
    size_t pos = kId3v2HeaderSize;
    if (header.nFlags & kExtendedHeaderFlag) {
        uint64_t size = 0;
        if (end - pos < 4)
            return false;
        if (header.nVersion == 4) {
            if (!SynchsafeAt(tag, pos, size))
                return false;
        } else {
            size = BigEndianAt(tag, pos) + 4;  // 2.3 counts the bytes after the size
        }
        if (size > end - pos)
            return false;
        pos += size;
    }
    framesStart = pos;
    while (end - pos >= kId3v2HeaderSize && tag[pos] != '\0') {
        if (!IsFrameIdAt(tag, pos))
            return false;
        std::string_view id = tag.substr(pos, 4);
        uint64_t size = 0;
        if (header.nVersion == 4) {
            if (!SynchsafeAt(tag, pos + 4, size))
                return false;
        } else {
            size = BigEndianAt(tag, pos + 4);
        }
        if (size > end - pos - kId3v2HeaderSize)
            return false;
        frames.push_back({std::string(id), pos, kId3v2HeaderSize + size});
        pos += kId3v2HeaderSize + size;
    }
    // What follows is padding, whatever bytes a tagger left in it.
    framesEnd = pos;
    return true;
}

std::string ResynchroniseBody(std::string_view body) {
    std::string out;
    out.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        out += body[i];
        if (Byte(body, i) == 0xFF && i + 1 < body.size() && body[i + 1] == '\0')
            ++i;
    }
    return out;
}

std::string Id3v2FrameBytes(std::string_view id, std::string_view data, int version) {
    std::string out(id);
    if (version == 4)
        PutSynchsafe(out, data.size());
    else
        PutBigEndian(out, data.size());
    out.append(2, '\0');
    out.append(data);
    return out;
}

std::string Id3v2HeaderBytes(int version, unsigned char flags, size_t bodySize, bool footer) {
    std::string out = footer ? "3DI" : "ID3";
    out += static_cast<char>(version);
    out += '\0';
    out += static_cast<char>(flags);
    PutSynchsafe(out, bodySize);
    return out;
}
