// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// How rows of fields are written for scripts to read back.
enum class ERecordFormat {
    // One record per line, fields apart by a tab. A backslash, tab or newline inside a
    // field is written as \\, \t or \n, so that no name breaks a line or a field.
    Lines,
    // Every field, the last of a record too, ended by a NUL byte and written as it is:
    // for names that must come back byte for byte (the -z of GNU tools).
    Nul,
};

// Builds records into one text, a field at a time.
class CRecordText {
public:
    explicit CRecordText(ERecordFormat format) : m_format(format) {}

    void Field(std::string_view text);
    void EndRecord();
    // The text so far, which the caller may write out and clear.
    std::string& Text() { return m_strText; }

private:
    ERecordFormat m_format;
    std::string m_strText;
    bool m_bFirstField = true;
};
