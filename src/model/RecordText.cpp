// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RecordText.h"

namespace {

// The escape of one byte in the line format, or 0 when it stands for itself.
char EscapeOf(char c) {
    switch (c) {
        case '\\':
            return '\\';
        case '\t':
            return 't';
        case '\n':
            return 'n';
        default:
            return 0;
    }
}

}  // namespace

void CRecordText::Field(std::string_view text) {
    if (m_format == ERecordFormat::Nul) {
        m_strText.append(text);
        m_strText += '\0';
        return;
    }
    if (!m_bFirstField)
        m_strText += '\t';
    m_bFirstField = false;
    // Most names hold nothing to escape and go in whole. One pass over the bytes, since
    // find_first_of calls memchr once for every byte.
    size_t done = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        char escape = EscapeOf(text[at]);
        if (escape == 0)
            continue;
        m_strText.append(text, done, at - done);
        m_strText += '\\';
        m_strText += escape;
        done = at + 1;
    }
    m_strText.append(text, done);
}

void CRecordText::EndRecord() {
    if (m_format == ERecordFormat::Lines)
        m_strText += '\n';
    m_bFirstField = true;
}
