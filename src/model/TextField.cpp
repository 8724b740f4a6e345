// SPDX-License-Identifier: GPL-3.0-or-later
#include <unicode/uchar.h>

#include <algorithm>
#include <string>

#include "model/TextField.h"
#include "model/Utf8Text.h"

namespace {

// Rewrites a text one character at a time. each(out, c, previous) gets every code point with
// the one before it (-1 at the start and after a byte that is not UTF-8) and returns the
// code point that stands for it, after adding to out whatever goes before it. Bytes that
// are not UTF-8 are kept as they are and are never letters or spaces.
template <typename FEach>
void RewriteCharacters(std::string& text, FEach each) {
    thread_local std::string out;
    out.clear();
    int32_t previous = -1;
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        int32_t c = NextCharacter(text, pos);
        int32_t mapped = c < 0 ? c : each(out, c, previous);
        if (mapped == c)
            out.append(text, start, pos - start);
        else
            AppendCharacter(out, mapped);
        previous = c;
    }
    text.assign(out);
}

bool IsCased(int32_t c) {
    return u_hasBinaryProperty(c, UCHAR_CASED);
}

}  // namespace

void CTextField::MakeLower() {
    MakeLowerText(m_str);
}

void CTextField::MakeUpper() {
    MakeUpperText(m_str);
}

// The letters raised and toggled change by their simple, one-letter mappings: a sharp s,
// whose uppercase is two letters, stays as it is. A letter that opens the text or a word
// takes its title-case form, which differs from the uppercase for digraphs such as "ǆ".
void CTextField::SentenceCase() {
    MakeLower();
    bool raised = false;
    RewriteCharacters(m_str, [&raised](std::string&, int32_t c, int32_t) {
        if (raised || !IsCased(c))
            return c;
        raised = true;
        return u_totitle(c);
    });
}

void CTextField::TitleCase() {
    SentenceCase();
    RewriteCharacters(m_str, [](std::string&, int32_t c, int32_t previous) {
        return previous == ' ' ? u_totitle(c) : c;
    });
}

void CTextField::ToggleCase() {
    RewriteCharacters(m_str, [](std::string&, int32_t c, int32_t) {
        return u_isULowercase(c) ? u_toupper(c) : u_isUUppercase(c) ? u_tolower(c) : c;
    });
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
    RewriteCharacters(m_str, [](std::string& out, int32_t c, int32_t previous) {
        if (previous >= 0 && u_isULowercase(previous) && u_isUUppercase(c))
            out += ' ';
        return c;
    });
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
