// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The byte layout of an ID3v2 tag at the start of a file:
//
//   "ID3" | major version | revision | flags | size (4 bytes, 7 bits each) | body | footer
//
// The size counts the body: an extended header, the frames and the padding. A 2.4 tag
// with the footer flag ends in a 10-byte copy of the header, "3DI" in place of "ID3".

inline constexpr size_t kId3v2HeaderSize = 10;
// The header flag of a 2.4 tag that ends in a footer.
inline constexpr unsigned char kId3v2FooterFlag = 0x10;

enum class EId3v2Head {
    None,    // the file does not start with "ID3"
    Tag,     // a tag TagLib can be asked about
    Broken,  // "ID3", but the header cannot be a tag's (unknown version, bad size)
};

struct SId3v2Header {
    int nVersion = 0;  // the major version: 2, 3 or 4
    unsigned char nFlags = 0;
    uint64_t nTagSize = 0;  // header, body and footer: the bytes the tag takes in the file
    bool bFooter = false;
    bool bUnsynchronised = false;
};

// What the first ten bytes of a file of fileLength bytes hold.
EId3v2Head ParseId3v2Header(std::string_view first, uint64_t fileLength, SId3v2Header& header);

// The four bytes at the offset as one number, most significant first: a 2.3 frame's size.
uint64_t BigEndianAt(std::string_view bytes, size_t at);
// Whether the four bytes at the offset are there and make a frame id: capitals and digits.
bool IsFrameIdAt(std::string_view bytes, size_t at);

// One frame of a 2.3 or 2.4 tag as it lies in the tag's bytes.
struct SId3v2Frame {
    std::string strId;
    size_t nOffset = 0;  // of its header in the tag
    size_t nSize = 0;    // header and data
};

// The frames of a 2.3 or 2.4 tag with the extended header skipped, and where the
// frames end (the padding or the footer begins). False when a frame runs past the body
// or names no frame: such a tag is not changed frame by frame.
bool ListId3v2Frames(std::string_view tag, const SId3v2Header& header,
                     std::vector<SId3v2Frame>& frames, size_t& framesStart, size_t& framesEnd);

// A 2.3 tag's body with its unsynchronisation undone: each 0xFF 0x00 read as 0xFF.
std::string ResynchroniseBody(std::string_view body);

// A frame's bytes for the version: its ten-byte header (no flags) and data.
std::string Id3v2FrameBytes(std::string_view id, std::string_view data, int version);
// A tag's ten-byte header (or footer, with "3DI") for a body of bodySize bytes.
std::string Id3v2HeaderBytes(int version, unsigned char flags, size_t bodySize,
                             bool footer = false);
