// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The longest text a command may grow a name or a tag text to, in bytes: well past any name
// a file system takes, and small enough that no command can exhaust memory by repeating
// itself. A command that would grow a text past it changes nothing (CTesselSession).
inline constexpr size_t kMaxNameBytes = 4096;

// The text of one field of a file entry, and the working object of the name tools.
// Bytes, UTF-8 in practice; a text that is not valid UTF-8 passes through unchanged.
class CTextField {
public:
    CTextField() = default;
    CTextField(std::string text) : m_str(std::move(text)) {}

    void Set(std::string text) { m_str = std::move(text); }
    const std::string& Get() const { return m_str; }
    bool IsEmpty() const { return m_str.empty(); }
    size_t GetLength() const { return m_str.size(); }

    bool operator==(const CTextField& other) const = default;

    // The text operations of the name tools. A letter is a character with case in any
    // script (ICU, root locale); bytes that are not UTF-8 are never letters, spaces or word
    // boundaries and are kept as they are, and no operation cuts a multi-byte character.

    // Whole-text case: 'ÉCOLE' -> 'école', 'straße' -> 'STRASSE'.
    void MakeLower();
    void MakeUpper();
    // Lowercase, then the first letter of the text raised: '3 DOORS DOWN' -> '3 Doors down',
    // 'ÉCOLE ÉTÉ' -> 'École été'.
    void SentenceCase();
    // SentenceCase, then every letter that follows a space raised: 'über straße' ->
    // 'Über Straße'; only a space opens a word ('über_straße' -> 'Über_straße').
    void TitleCase();
    // Letters change case one for one: 'Hello Été 2' -> 'hELLO éTÉ 2'; a letter without a
    // single-letter counterpart (ß) stays.
    void ToggleCase();
    // The part after the first occurrence of middle, then middle, then the part before:
    // 'Artist - Title' with ' - ' -> 'Title - Artist'. Unchanged without an occurrence.
    void Swap(std::string middle);
    // A space between a lowercase letter and the uppercase letter after it:
    // 'theQuickBrownFox' -> 'the Quick Brown Fox', 'élanÉté' -> 'élan Été'.
    void InsertSpaces();
    // The byte position of the first occurrence of find, both compared in uppercase, or -1.
    int FindNoCase(const std::string& find) const;
    // Replaces every occurrence of find (non-overlapping, left to right); true when the
    // text changed. A result that would grow past kMaxNameBytes (and past the text's own
    // length) is not built whole: it is cut one byte past that, so that the command
    // refuses it without first filling memory.
    bool Replace(const std::string& find, const std::string& replacement, bool matchCase);
    // The text with a number put in: zero-padded to digits (at most five zeros added, a
    // longer number kept whole), after the text for offset -1 (or any offset outside 0 to
    // the text's length in characters), otherwise after the first offset characters.
    std::string WithNumber(long long number, int digits, int offset) const;

private:
    std::string m_str;
};
