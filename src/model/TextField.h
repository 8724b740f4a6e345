#pragma once

#include <string>

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

private:
    std::string m_str;
};
