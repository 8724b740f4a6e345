#include <algorithm>
#include <string>

#include "model/TextField.h"
#include "model/Utf8Text.h"

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
    // before + middle + after becomes after + middle + before, in place: the first
    // rotation gives middle + after + before, the second turns middle + after around.
    std::rotate(m_str.begin(), m_str.begin() + static_cast<std::ptrdiff_t>(pos), m_str.end());
    size_t moved = m_str.size() - pos;
    std::rotate(m_str.begin(), m_str.begin() + static_cast<std::ptrdiff_t>(middle.size()),
                m_str.begin() + static_cast<std::ptrdiff_t>(moved));
}

void CTextField::InsertSpaces() {
    auto splitsBefore = [this](size_t i) {
        return i > 0 && IsAsciiUpper(m_str[i]) && IsAsciiLower(m_str[i - 1]);
    };
    size_t spaces = 0;
    for (size_t i = 1; i < m_str.size(); ++i)
        spaces += splitsBefore(i) ? 1 : 0;
    if (spaces == 0)
        return;
    // Filled from the back, so every byte is read before its place is written.
    size_t from = m_str.size();
    m_str.resize(m_str.size() + spaces);
    size_t to = m_str.size();
    while (from > 0) {
        --from;
        m_str[--to] = m_str[from];
        if (splitsBefore(from))
            m_str[--to] = ' ';
    }
}

int CTextField::FindNoCase(const std::string& find) const {
    size_t pos = FindText(m_str, find, false);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

bool CTextField::Replace(const std::string& find, const std::string& replacement, bool matchCase) {
    // Working buffers kept between calls: replacing in many rows allocates once.
    thread_local std::vector<STextSpan> spans;
    thread_local std::string out;
    FindAllText(m_str, find, matchCase, spans);
    if (spans.empty())
        return false;
    out.clear();
    const size_t longest = std::max(kMaxNameBytes, m_str.size());
    size_t done = 0;
    for (const STextSpan& span : spans) {
        out.append(m_str, done, span.nBegin - done);
        out += replacement;
        done = span.nEnd;
        if (out.size() > longest)
            break;
    }
    if (out.size() <= longest)
        out.append(m_str, done);
    if (out.size() > longest)
        out.resize(longest + 1);
    if (out == m_str)
        return false;
    m_str.assign(out);
    return true;
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
    magnitude.insert(0, static_cast<size_t>(std::clamp(digits - width, 0, 5)), '0');
    std::string numberText = sign + magnitude;

    if (offset < 0 || static_cast<size_t>(offset) > CharacterCount(m_str))
        return m_str + numberText;
    size_t pos = ByteOffsetOfCharacter(m_str, static_cast<size_t>(offset));
    return m_str.substr(0, pos) + numberText + m_str.substr(pos);
}
