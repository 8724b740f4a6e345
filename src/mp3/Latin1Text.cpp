// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Latin1Text.h"

#include "model/Utf8Text.h"

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        AppendCharacter(text, static_cast<unsigned char>(c));
    return text;
}

std::string Utf8ToLatin1(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        int32_t codePoint = NextCharacter(text, pos);
        if (codePoint < 0)
            bytes += text[start];  // not UTF-8: the byte passes through as it is
        else
            bytes += codePoint <= 0xFF ? static_cast<char>(codePoint) : '?';
    }
    return bytes;
}

size_t FirstUnheldCharacter(std::string_view text) {
    // Every character, and every byte that is not UTF-8, makes one byte of the Latin-1 text.
    size_t offset = 0;
    for (size_t pos = 0; pos < text.size(); ++offset)
        if (NextCharacter(text, pos) > 0xFF)
            return offset;
    return std::string_view::npos;
}
