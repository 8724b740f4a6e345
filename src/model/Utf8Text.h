// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Character-level helpers for names held as bytes. A "character" is one well-formed UTF-8
// sequence; in a text that is not valid UTF-8, every byte outside a well-formed sequence
// counts as a character of its own. No operation of the name tools ever cuts a text
// between two bytes of one character.

// The code point of the character that starts at pos, with pos moved past it; -1 for a
// stray byte, with pos moved past that byte alone. The one UTF-8 decoder of the program.
int32_t NextCharacter(std::string_view text, size_t& pos);
// Appends the UTF-8 bytes of a code point (0 to U+10FFFF, no surrogate).
void AppendCharacter(std::string& text, int32_t codePoint);
// The number of bytes of the character that starts at pos (1 to 4); 1 for a stray byte.
size_t CharacterLength(std::string_view text, size_t pos);
// True when the whole text is well-formed UTF-8 (the empty text is).
bool IsValidUtf8(std::string_view text);
// True when no byte is 0x80 or above.
bool IsAscii(std::string_view text);
// True when pos (0 to size) does not fall inside a multi-byte character.
bool IsCharacterBoundary(std::string_view text, size_t pos);
// The number of characters of the text.
size_t CharacterCount(std::string_view text);
// The byte position where character number count starts (the size for count at the end).
size_t ByteOffsetOfCharacter(std::string_view text, size_t count);

// Whole-text case conversion in place, Unicode-aware ("CAFÉ" -> "café", "straße" ->
// "STRASSE"); bytes that are not part of a well-formed UTF-8 sequence are kept as they are.
// The text may grow or shrink.
void MakeLowerText(std::string& text);
void MakeUpperText(std::string& text);

// Where a find text occurs in a text, in bytes of the text: [nBegin, nEnd).
struct STextSpan {
    size_t nBegin = 0;
    size_t nEnd = 0;
};

// The occurrences of find in text, left to right, never overlapping (a match starts at
// or after the end of the previous one). A match begins and ends on character boundaries
// of the text. Without matchCase both texts are compared through their uppercase, taken
// character by character (for valid UTF-8 the same as MakeUpperText), so "abc" finds "xABCx",
// "ss" finds "ß" (as a whole, never half of it) and "é" finds "É"; a span then covers the
// text's own characters, whose length may differ from the find text's. An empty find text
// occurs nowhere.
std::vector<STextSpan> FindAllText(std::string_view text, std::string_view find, bool matchCase);
// The same into a caller's vector (emptied first), which keeps its storage between calls.
void FindAllText(std::string_view text, std::string_view find, bool matchCase,
                 std::vector<STextSpan>& spans);
// The byte position of the first occurrence, or std::string::npos.
size_t FindText(std::string_view text, std::string_view find, bool matchCase);
