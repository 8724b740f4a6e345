// SPDX-License-Identifier: GPL-3.0-or-later
#include "transform/FindPattern.h"

#include <unicode/regex.h>
#include <unicode/utext.h>

#include <algorithm>

#include "model/TextField.h"
#include "model/Utf8Text.h"

namespace {

// Steps of the match engine one text may take (roughly milliseconds): a pattern that
// backtracks without end gives up on that text, which then holds no match.
constexpr int32_t kMatchTimeLimit = 1000;

const char* Reason(UErrorCode status) {
    switch (status) {
        case U_REGEX_MISMATCHED_PAREN:
            return "a parenthesis is not matched";
        case U_REGEX_MISSING_CLOSE_BRACKET:
            return "a set has no closing ]";
        case U_REGEX_BAD_ESCAPE_SEQUENCE:
            return "unknown escape sequence";
        case U_REGEX_PROPERTY_SYNTAX:
            return "bad Unicode property";
        case U_REGEX_BAD_INTERVAL:
        case U_REGEX_MAX_LT_MIN:
            return "bad {min,max} repeat";
        case U_REGEX_NUMBER_TOO_BIG:
            return "a number is too large";
        case U_REGEX_INVALID_BACK_REF:
            return "a back reference names no group";
        case U_REGEX_INVALID_RANGE:
            return "a range in a set runs backwards";
        case U_REGEX_LOOK_BEHIND_LIMIT:
            return "a look-behind has no bounded length";
        case U_REGEX_INVALID_CAPTURE_GROUP_NAME:
            return "bad group name";
        case U_REGEX_PATTERN_TOO_BIG:
            return "the pattern is too large";
        default:
            return "syntax error";
    }
}

std::string InvalidMessage(const std::string& pattern, size_t character, const std::string& why) {
    return "Invalid regular expression at character " + std::to_string(character) + " of '" +
           pattern + "': " + why;
}

}  // namespace

struct CFindPattern::SRegex {
    // The matcher uses its pattern without owning it: the pattern goes after it.
    std::unique_ptr<icu::RegexPattern> pPattern;
    std::unique_ptr<icu::RegexMatcher> pMatcher;
    UText text = UTEXT_INITIALIZER;

    ~SRegex() {
        pMatcher.reset();
        utext_close(&text);
    }
    // Points the matcher at a text, which must stay alive while it is searched.
    bool Reset(const std::string& input) {
        if (!IsValidUtf8(input))
            return false;
        UErrorCode status = U_ZERO_ERROR;
        utext_openUTF8(&text, input.data(), static_cast<int64_t>(input.size()), &status);
        pMatcher->reset(&text);
        return U_SUCCESS(status);
    }
    bool FindNext() {
        UErrorCode status = U_ZERO_ERROR;
        return pMatcher->find(status) && U_SUCCESS(status);
    }
};

CFindPattern::CFindPattern(const SReplaceSettings& settings) : m_settings(settings) {
    // As a find text, an empty pattern is found nowhere (it would match between every
    // two characters).
    if (m_settings.bRegex && !m_settings.strFind.empty())
        Compile();
}

CFindPattern::~CFindPattern() = default;

void CFindPattern::Compile() {
    const std::string& pattern = m_settings.strFind;
    if (!IsValidUtf8(pattern)) {
        size_t character = 1;
        for (size_t pos = 0; pos < pattern.size() && NextCharacter(pattern, pos) >= 0;)
            ++character;
        m_strProblem = InvalidMessage(pattern, character, "not valid UTF-8");
        return;
    }
    icu::UnicodeString source = icu::UnicodeString::fromUTF8(pattern);
    uint32_t flags = m_settings.bMatchCase ? 0 : UREGEX_CASE_INSENSITIVE;
    UParseError where{};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(source, flags, where, status));
    if (U_FAILURE(status)) {
        // ICU counts UTF-16 units from 0; the message counts characters from 1.
        int32_t offset = std::clamp(where.offset, 0, source.length());
        m_strProblem = InvalidMessage(
            pattern, static_cast<size_t>(source.countChar32(0, offset)) + 1, Reason(status));
        return;
    }
    m_pRegex = std::make_unique<SRegex>();
    m_pRegex->pMatcher.reset(compiled->matcher(status));
    m_pRegex->pPattern = std::move(compiled);
    if (U_FAILURE(status)) {
        m_pRegex.reset();
        m_strProblem = InvalidMessage(pattern, 1, Reason(status));
        return;
    }
    m_pRegex->pMatcher->setTimeLimit(kMatchTimeLimit, status);
    ParseReplacement(m_pRegex->pMatcher->groupCount());
    if (!IsValid())
        m_pRegex.reset();
}

void CFindPattern::ParseReplacement(int groups) {
    const std::string& text = m_settings.strReplacement;
    m_replacement.assign(1, SPiece{});
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            m_replacement.back().strText += text[++i];
        } else if (c == '$' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') {
            int group = text[i + 1] - '0';
            if (group > groups) {
                m_strProblem = "The replacement refers to group $" + std::to_string(group) +
                               " at character " +
                               std::to_string(CharacterCount(text.substr(0, i)) + 1) + " of '" +
                               text + "', but the regular expression has " +
                               std::to_string(groups) + (groups == 1 ? " group" : " groups");
                return;
            }
            m_replacement.push_back(SPiece{"", group});
            m_replacement.push_back(SPiece{});
            ++i;
        } else {
            m_replacement.back().strText += c;
        }
    }
}

bool CFindPattern::Occurs(const std::string& text) {
    if (!m_settings.bRegex)
        return FindText(text, m_settings.strFind, m_settings.bMatchCase) != std::string::npos;
    return m_pRegex && m_pRegex->Reset(text) && m_pRegex->FindNext();
}

bool CFindPattern::Replace(CTextField& field) {
    if (!m_settings.bRegex)
        return field.Replace(m_settings.strFind, m_settings.strReplacement, m_settings.bMatchCase);
    const std::string& text = field.Get();
    if (!m_pRegex || !m_pRegex->Reset(text))
        return false;
    icu::RegexMatcher& matcher = *m_pRegex->pMatcher;
    const size_t longest = std::max(kMaxNameBytes, text.size());
    std::string out;
    size_t done = 0;
    UErrorCode status = U_ZERO_ERROR;
    while (out.size() <= longest && m_pRegex->FindNext()) {
        // Over a UTF-8 text the matcher's native indices are byte offsets.
        auto begin = static_cast<size_t>(matcher.start64(status));
        out.append(text, done, begin - done);
        for (const SPiece& piece : m_replacement) {
            out += piece.strText;
            int64_t from = piece.nGroup < 0 ? -1 : matcher.start64(piece.nGroup, status);
            if (from >= 0)
                out.append(text, static_cast<size_t>(from),
                           static_cast<size_t>(matcher.end64(piece.nGroup, status) - from));
        }
        done = static_cast<size_t>(matcher.end64(status));
    }
    if (U_FAILURE(status))
        return false;
    if (out.size() <= longest)
        out.append(text, done);
    if (out.size() > longest)
        out.resize(longest + 1);
    if (out == text)
        return false;
    field.Set(std::move(out));
    return true;
}
