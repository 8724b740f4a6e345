// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NaturalCollation.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <cstring>

CNaturalCollation::CNaturalCollation(const std::string& locale) {
    std::string name = locale.empty() ? uloc_getDefault() : locale;
    if (name.starts_with("en_US_POSIX"))
        name.clear();
    UErrorCode status = U_ZERO_ERROR;
    m_pCollator = ucol_open(name.c_str(), &status);
    if (U_FAILURE(status)) {
        ucol_close(m_pCollator);
        m_pCollator = nullptr;
        return;
    }
    ucol_setStrength(m_pCollator, UCOL_SECONDARY);
    ucol_setAttribute(m_pCollator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
}

CNaturalCollation::~CNaturalCollation() {
    ucol_close(m_pCollator);
}

void CNaturalCollation::AppendKey(std::string_view text, std::string& keys) {
    if (m_pCollator == nullptr) {
        keys += text;
        return;
    }
    // A UTF-8 text never takes more UTF-16 units than it has bytes.
    if (m_utf16.size() < text.size() + 1)
        m_utf16.resize(text.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(m_utf16.data(), static_cast<int32_t>(m_utf16.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) {
        keys += text;
        return;
    }
    const size_t start = keys.size();
    // A guess that holds nearly every key; a longer one is asked for again.
    int32_t room = static_cast<int32_t>(4 * static_cast<size_t>(length) + 16);
    for (;;) {
        keys.resize(start + static_cast<size_t>(room));
        auto* place = reinterpret_cast<uint8_t*>(keys.data() + start);
        int32_t needed = ucol_getSortKey(m_pCollator, m_utf16.data(), length, place, room);
        if (needed <= room) {
            // The key ends with a zero byte, which the bytewise comparison does not need.
            keys.resize(start + static_cast<size_t>(needed > 0 ? needed - 1 : 0));
            return;
        }
        room = needed;
    }
}
