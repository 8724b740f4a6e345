#pragma once

#include <string>

#include "model/TextField.h"

// The text operations of the name tools on a field. Letter tests of the word tools are on
// ASCII letters only; bytes from 0x80 up are never letters, spaces or word boundaries, and
// no operation cuts a multi-byte character.

// Whole-text case: Unicode-aware for valid UTF-8, ASCII-only otherwise.
void MakeLower(CTextField& field);
void MakeUpper(CTextField& field);
// Lowercase, then the first ASCII letter of the text raised: '3 DOORS DOWN' ->
// '3 Doors down'.
void SentenceCase(CTextField& field);
// SentenceCase, then every ASCII letter that follows a space raised.
void TitleCase(CTextField& field);
// ASCII letters change case: 'Hello World 2' -> 'hELLO wORLD 2'.
void ToggleCase(CTextField& field);
// The part after the first occurrence of middle, then middle, then the part before:
// 'Artist - Title' with ' - ' -> 'Title - Artist'. Unchanged without an occurrence.
void Swap(CTextField& field, const std::string& middle);
// A space between an ASCII lowercase letter and the uppercase letter after it:
// 'theQuickBrownFox' -> 'the Quick Brown Fox'.
void InsertSpaces(CTextField& field);
// The byte position of the first occurrence of find, both compared in uppercase, or -1.
int FindNoCase(const CTextField& field, const std::string& find);
// Replaces every occurrence of find (non-overlapping, left to right); true when the text
// changed. A result that would grow past kMaxNameBytes (and past the text's own length) is
// not built whole: it is cut one byte past that, so that the command refuses it without
// first filling memory.
bool Replace(CTextField& field, const std::string& find, const std::string& replacement,
             bool matchCase);
// The text with a number put in: zero-padded to digits (at most five zeros added, a
// longer number kept whole), after the text for offset -1 (or any offset outside 0 to the
// text's length in characters), otherwise after the first offset characters.
std::string WithNumber(const CTextField& field, long long number, int digits, int offset);
