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

    // Hands the text over to be changed in place and Set back (the name tools do).
    std::string Take() { return std::move(m_str); }

private:
    std::string m_str;
};
