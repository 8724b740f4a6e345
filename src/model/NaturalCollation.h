// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct UCollator;

// Sort keys for natural order: the locale's collation with numbers compared by their value
// ("track2" before "track10") and letter case ignored; accents weigh only where the texts
// are otherwise equal ("echo" before "écho" before "echo2"). Keys compare bytewise, so a
// sort computes each row's key once instead of collating at every comparison.
// Bytes that are not valid UTF-8 collate as U+FFFD.
class CNaturalCollation {
public:
    // The collation of a locale such as "de" or "sv_SE"; empty for the process's own
    // locale. The POSIX locale ("C") names no language and gets the root collation, not
    // its code-point order.
    explicit CNaturalCollation(const std::string& locale = "");
    ~CNaturalCollation();
    CNaturalCollation(const CNaturalCollation&) = delete;
    CNaturalCollation& operator=(const CNaturalCollation&) = delete;

    // Appends the key of text to keys. When no collator could be opened the key is the text
    // itself, so the order is bytewise.
    void AppendKey(std::string_view text, std::string& keys);

private:
    UCollator* m_pCollator = nullptr;
    std::vector<char16_t> m_utf16;  // the text being collated, reused from row to row
};
