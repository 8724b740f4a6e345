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

    // The text operations of the name tools (transform/TextFieldOperations.cpp). Letter
    // tests of the word tools are on ASCII letters only; bytes from 0x80 up are never
    // letters, spaces or word boundaries, and no operation cuts a multi-byte character.

    // Whole-text case: Unicode-aware for valid UTF-8, ASCII-only otherwise.
    void MakeLower();
    void MakeUpper();
    // Lowercase, then the first ASCII letter of the text raised: '3 DOORS DOWN' ->
    // '3 Doors down'.
    void SentenceCase();
    // SentenceCase, then every ASCII letter that follows a space raised.
    void TitleCase();
    // ASCII letters change case: 'Hello World 2' -> 'hELLO wORLD 2'.
    void ToggleCase();
    // The part after the first occurrence of middle, then middle, then the part before:
    // 'Artist - Title' with ' - ' -> 'Title - Artist'. Unchanged without an occurrence.
    void Swap(std::string middle);
    // A space between an ASCII lowercase letter and the uppercase letter after it:
    // 'theQuickBrownFox' -> 'the Quick Brown Fox'.
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
