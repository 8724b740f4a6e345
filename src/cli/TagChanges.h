// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CHitDoc;

// What the tag commands tell about the fields they write. File names are written as the
// bytes they are; a tag value is quoted, with \, ", newline and tab escaped as in C.

// A dry run's lines, on stdout, for a file whose tag would change: one for each field
// that changes, 'FILE: Title: "old" -> "new"', a value that would lose characters ID3v1
// cannot hold followed by ' (stored as "...")'; then, unless the file's verdict (an
// EResultCode) is OK, 'FILE: ' and its text.
void PrintTagChanges(const std::string& file, const CHitDoc& entry, int code);

// After a write of the entry's tag, one line on stderr for each field that lost
// characters: 'tessel-cli: FILE: Title stored as "?? ?5": characters ID3v1 cannot hold
// become ?'. True when there was one.
bool ReportTextLoss(const std::string& file, const CHitDoc& entry);
