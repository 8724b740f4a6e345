// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

class CTextField;

// The settings of a find or replace, as the find-and-replace dialog holds them.
struct SReplaceSettings {
    std::string strFind;
    std::string strReplacement;
    bool bMatchCase = false;
    // strFind is an ICU regular expression over the whole text, and $1 to $9 in
    // strReplacement stand for its groups.
    bool bRegex = false;
};

// What find and replace look for in a text: the find text itself (CTextField's plain
// search and Replace, unchanged), or a regular expression compiled once for many texts.
//
// A regular expression is matched only against texts that are valid UTF-8: any other text
// holds no match and is never changed, since its bytes cannot be read as characters and
// must survive byte for byte. In the replacement "$" and a digit is that group's text (empty
// when the group took no part in the match), "\" takes the next character as it is, and
// any other "$" is itself.
class CFindPattern {
public:
    explicit CFindPattern(const SReplaceSettings& settings);
    ~CFindPattern();
    CFindPattern(const CFindPattern&) = delete;
    CFindPattern& operator=(const CFindPattern&) = delete;

    // Empty when the pattern and the replacement can be used; otherwise the message that
    // tells what is wrong and at which character (counted from 1).
    const std::string& Problem() const { return m_strProblem; }
    bool IsValid() const { return m_strProblem.empty(); }

    // Whether the text holds a match. An invalid pattern matches nothing.
    bool Occurs(const std::string& text);
    // Replaces every match, left to right; true when the text changed. As with
    // CTextField::Replace, a result that would grow past kMaxNameBytes (and past the
    // text's own length) is cut one byte past that, for the command to refuse it.
    bool Replace(CTextField& field);

private:
    struct SRegex;
    // One piece of a regular expression's replacement: literal text, or a group's text.
    struct SPiece {
        std::string strText;
        int nGroup = -1;
    };
    void Compile();
    void ParseReplacement(int groups);

    SReplaceSettings m_settings;
    std::string m_strProblem;
    std::unique_ptr<SRegex> m_pRegex;
    std::vector<SPiece> m_replacement;
};
