#include <string>

#include "model/TextField.h"
#include "transform/Utf8Text.h"

namespace {

bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

char ChangeCase(char c) {
    return static_cast<char>(c ^ 0x20);
}

}  // namespace

void CTextField::MakeLower() {
    MakeLowerText(m_str);
}

void CTextField::MakeUpper() {
    MakeUpperText(m_str);
}

void CTextField::SentenceCase() {
    MakeLower();
    for (char& c : m_str) {
        if (IsAsciiLower(c)) {
            c = ChangeCase(c);
            break;
        }
    }
}

void CTextField::TitleCase() {
    SentenceCase();
    for (size_t i = 0; i + 1 < m_str.size(); ++i)
        if (m_str[i] == ' ' && IsAsciiLower(m_str[i + 1]))
            m_str[i + 1] = ChangeCase(m_str[i + 1]);
}

void CTextField::ToggleCase() {
    for (char& c : m_str)
        if (IsAsciiLower(c) || IsAsciiUpper(c))
            c = ChangeCase(c);
}

void CTextField::Swap(std::string middle) {
    if (middle.empty())
        return;
    size_t pos = FindText(m_str, middle, true);
    if (pos == std::string::npos)
        return;
    std::string swapped;
    swapped.reserve(m_str.size());
    swapped.append(m_str, pos + middle.size());
    swapped += middle;
    swapped.append(m_str, 0, pos);
    m_str = std::move(swapped);
}

void CTextField::InsertSpaces() {
    std::string spaced;
    spaced.reserve(m_str.size() + m_str.size() / 2);
    for (size_t i = 0; i < m_str.size(); ++i) {
        if (i > 0 && IsAsciiUpper(m_str[i]) && IsAsciiLower(m_str[i - 1]))
            spaced.push_back(' ');
        spaced.push_back(m_str[i]);
    }
    m_str = std::move(spaced);
}

int CTextField::FindNoCase(const std::string& find) const {
    size_t pos = FindText(m_str, find, false);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

bool CTextField::Replace(const std::string& find, const std::string& replacement, bool matchCase) {
    std::vector<STextSpan> spans = FindAllText(m_str, find, matchCase);
    if (spans.empty())
        return false;
    std::string out;
    out.reserve(m_str.size() + spans.size() * replacement.size());
    size_t done = 0;
    for (const STextSpan& span : spans) {
        out.append(m_str, done, span.nBegin - done);
        out += replacement;
        done = span.nEnd;
    }
    out.append(m_str, done);
    bool changed = out != m_str;
    m_str = std::move(out);
    return changed;
}

std::string CTextField::WithNumber(long long number, int digits, int offset) const {
    std::string magnitude = std::to_string(number);
    std::string sign;
    if (number < 0) {
        sign = "-";
        magnitude.erase(0, 1);
    }
    // The zeros go between the sign and the digits; the width counts the sign.
    int width = static_cast<int>(sign.size() + magnitude.size());
    if (width < digits)
        magnitude.insert(0, static_cast<size_t>(std::min(digits - width, 5)), '0');
    std::string numberText = sign + magnitude;

    if (offset < 0 || static_cast<size_t>(offset) > CharacterCount(m_str))
        return m_str + numberText;
    size_t pos = ByteOffsetOfCharacter(m_str, static_cast<size_t>(offset));
    return m_str.substr(0, pos) + numberText + m_str.substr(pos);
}
