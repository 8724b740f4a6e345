#include "mp3/Latin1Text.h"

#include <cstdint>

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence starting at text[pos] and its code point;
// 0 when the bytes there are not a valid sequence.
size_t DecodeSequence(std::string_view text, size_t pos, uint32_t& codePoint) {
    auto at = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    size_t left = text.size() - pos;
    unsigned char lead = at(0);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (left < length || at(1) < low || at(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (!IsContinuation(at(i)))
            return 0;
    codePoint = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
        codePoint = (codePoint << 6) | (at(i) & 0x3F);
    return length;
}

}  // namespace

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string Utf8ToLatin1(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        uint32_t codePoint = 0;
        size_t length = DecodeSequence(text, pos, codePoint);
        if (length == 0) {
            bytes += text[pos++];
            continue;
        }
        bytes += codePoint <= 0xFF ? static_cast<char>(codePoint) : '?';
        pos += length;
    }
    return bytes;
}
