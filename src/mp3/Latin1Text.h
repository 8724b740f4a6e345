// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// ID3v1 text is ISO-8859-1 on disk and UTF-8 in memory.

// Every byte becomes the character of the same number, so any bytes read convert and
// convert back without loss.
std::string Latin1ToUtf8(std::string_view bytes);
// A character up to U+00FF becomes its byte and any other character "?". Bytes that are
// not valid UTF-8 (a name in a single-byte character set, say) pass through as they are.
std::string Utf8ToLatin1(std::string_view text);
// The offset in Utf8ToLatin1(text) of the first "?" put in place of a character above
// U+00FF; npos when every character has its byte.
size_t FirstUnheldCharacter(std::string_view text);
