// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Id3v2Text.h"

#include <taglib/id3v1genres.h>

#include <array>
#include <cstdint>

#include "mp3/Latin1Text.h"

namespace {

constexpr unsigned char kLatin1 = 0;
constexpr unsigned char kUtf16 = 1;  // with a byte order mark
constexpr unsigned char kUtf16BigEndian = 2;
constexpr unsigned char kUtf8 = 3;

constexpr std::string_view kLittleEndianMark = "\xff\xfe";
constexpr std::string_view kBigEndianMark = "\xfe\xff";

unsigned char Byte(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

bool IsWide(unsigned char encoding) {
    return encoding == kUtf16 || encoding == kUtf16BigEndian;
}

// A character TagLib converts to UTF-8: no surrogate, nothing past U+10FFFF, and not
// U+FFFE or U+FFFF, which some of its conversions refuse.
bool IsConvertible(uint32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF) && c != 0xFFFE && c != 0xFFFF;
}

void PutUtf8(uint32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Whether the bytes are UTF-8 without overlong forms and with convertible characters only.
bool IsValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        unsigned char lead = Byte(bytes, i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (extra == 0 || lead > 0xF4 || bytes.size() - i <= extra)
            return false;
        uint32_t c = lead & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char next = Byte(bytes, i + k);
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3F);
        }
        constexpr std::array<uint32_t, 4> kLeast = {0, 0x80, 0x800, 0x10000};
        if (c < kLeast[extra] || !IsConvertible(c))
            return false;
        i += extra + 1;
    }
    return true;
}

// UTF-16 units up to the first zero one, in UTF-8; false for an unpaired surrogate.
bool AppendUtf16(std::string_view bytes, bool bigEndian, std::string& out) {
    auto unit = [&](size_t i) -> uint32_t {
        uint32_t first = Byte(bytes, 2 * i);
        uint32_t second = Byte(bytes, 2 * i + 1);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units; ++i) {
        uint32_t c = unit(i);
        if (c == 0)
            break;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
            uint32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (!IsConvertible(c))
            return false;
        PutUtf8(c, out);
    }
    return true;
}

// One piece of text in UTF-8, up to its first null character. A UTF-16 piece without a
// byte order mark of its own reads with the inherited one, if any.
bool DecodePiece(unsigned char encoding, std::string_view bytes, std::string_view inheritedMark,
                 std::string& out) {
    out.clear();
    if (bytes.empty())
        return true;
    switch (encoding) {
    case kLatin1:
        out = Latin1ToUtf8(bytes.substr(0, bytes.find('\0')));
        return true;
    case kUtf8:
        // A byte that does not decode anywhere in the piece empties it, even past a null.
        if (!IsValidUtf8(bytes))
            return false;
        out.assign(bytes.substr(0, bytes.find('\0')));
        return true;
    case kUtf16BigEndian:
        return bytes.size() % 2 == 0 && AppendUtf16(bytes, true, out);
    case kUtf16: {
        std::string_view mark = bytes.substr(0, 2);
        if (mark == kLittleEndianMark || mark == kBigEndianMark)
            bytes.remove_prefix(2);
        else
            mark = inheritedMark;
        if (mark.empty() || bytes.size() % 2 != 0)
            return false;
        return AppendUtf16(bytes, mark == kBigEndianMark, out);
    }
    default:
        return false;
    }
}

// Where the encoding's null lies in the text from the offset on, at a character boundary
// (UTF-16 nulls at even offsets); npos when none.
size_t FindNull(std::string_view text, size_t from, size_t width) {
    if (width == 1)
        return text.find('\0', from);
    for (size_t i = from; i + 1 < text.size(); i += 2)
        if (text[i] == '\0' && text[i + 1] == '\0')
            return i;
    return std::string_view::npos;
}

}  // namespace

bool DecodeId3v2TextPieces(std::string_view data, std::vector<std::string>& pieces) {
    pieces.clear();
    // Too short to hold a character: TagLib reads no text.
    if (data.size() < 2)
        return true;
    unsigned char encoding = Byte(data, 0);
    if (encoding > kUtf8)
        return false;
    size_t width = IsWide(encoding) ? 2 : 1;
    // The nulls at the end go, short of a whole character.
    size_t length = data.size() - 1;
    while (length > 0 && data[length] == '\0')
        --length;
    length += length % width;
    std::string_view text = data.substr(1, length);
    std::string_view inheritedMark;
    std::string piece;
    for (size_t from = 0;;) {
        size_t null = FindNull(text, from, width);
        std::string_view bytes = text.substr(from, null == std::string_view::npos ? text.npos
                                                                                 : null - from);
        if (!bytes.empty()) {
            if (!DecodePiece(encoding, bytes, inheritedMark, piece))
                return false;
            pieces.push_back(piece);
        }
        // Only the first piece, and only when it has bytes, lends its byte order mark.
        if (from == 0 && encoding == kUtf16)
            inheritedMark = bytes.substr(0, 2);
        if (null == std::string_view::npos)
            return true;
        from = null + width;
    }
}

bool DecodeId3v2Comment(std::string_view data, std::string& description, std::string& text) {
    description.clear();
    text.clear();
    constexpr size_t kEncodingAndLanguage = 4;
    if (data.size() <= kEncodingAndLanguage)
        return true;
    unsigned char encoding = Byte(data, 0);
    if (encoding > kUtf8)
        return false;
    size_t width = IsWide(encoding) ? 2 : 1;
    std::string_view rest = data.substr(kEncodingAndLanguage);
    size_t null = FindNull(rest, 0, width);
    // Without the null after the description TagLib reads neither.
    if (null == std::string_view::npos)
        return true;
    return DecodePiece(encoding, rest.substr(0, null), {}, description) &&
           DecodePiece(encoding, rest.substr(null + width), {}, text);
}

namespace {

enum class EGenreCode { Number, NotNumber, Unsure };

// What TagLib makes of the text between parentheses as a number: plain digits are one,
// text that cannot start a number is none; signs and white space it might read are unsure.
EGenreCode GenreCodeNumber(std::string_view code, int& number) {
    constexpr std::string_view kDigits = "0123456789";
    if (code.empty() || std::string_view(" \t\n\v\f\r+-0123456789").find(code[0]) ==
                            std::string_view::npos)
        return EGenreCode::NotNumber;
    if (code.find_first_not_of(kDigits) != std::string_view::npos)
        return kDigits.find(code[0]) == std::string_view::npos ? EGenreCode::Unsure
                                                               : EGenreCode::NotNumber;
    size_t significant = code.find_first_not_of('0');
    code.remove_prefix(significant == std::string_view::npos ? code.size() : significant);
    // Past three digits it is no genre in any case.
    number = 0;
    if (code.size() > 3) {
        number = 1000;
        return EGenreCode::Number;
    }
    for (char c : code)
        number = number * 10 + (c - '0');
    return EGenreCode::Number;
}

// TagLib's genre names in UTF-8, by number ("" past its table).
const std::string& TagLibGenreName(int number) {
    static const std::array<std::string, 256> names = [] {
        std::array<std::string, 256> table;
        for (int i = 0; i < 256; ++i)
            table[i] = TagLib::ID3v1::genre(i).to8Bit(true);
        return table;
    }();
    return names[number];
}

}  // namespace

bool Id3v2GenrePieces(const std::vector<std::string>& pieces, std::vector<std::string>& genres) {
    genres.clear();
    for (const std::string& piece : pieces) {
        std::string_view rest = piece;
        size_t close = 0;
        while (!rest.empty() && rest[0] == '(' &&
               (close = rest.find(')', 1)) != std::string_view::npos) {
            std::string_view code = rest.substr(1, close - 1);
            rest.remove_prefix(close + 1);
            int number = 0;
            EGenreCode kind = GenreCodeNumber(code, number);
            if (kind == EGenreCode::Unsure)
                return false;
            bool named = kind == EGenreCode::Number && number <= 255 &&
                         TagLibGenreName(number) != rest;
            if (named || code == "RX" || code == "CR")
                genres.emplace_back(code);
        }
        if (!rest.empty())
            genres.emplace_back(rest);
    }
    return true;
}
