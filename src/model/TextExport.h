// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

#include "model/RecordText.h"

class CRenameList;
class CTesselSession;

inline constexpr const char* kCannotWriteTextMessage = "Cannot write file: Access denied";

// Save to Text File: creates or truncates the file at path and writes the new file name
// of every row (m_strNewName followed by m_strExt, no folder), one per line ending in
// "\n", in row order, in either mode; a backslash, tab or newline in a name is escaped
// (see ERecordFormat), or with ERecordFormat::Nul every name ends in a NUL byte instead. An empty
// list gives an empty file. On any failure to create, write or close the file, shows "Cannot write
// file: Access denied" (stop icon, OK) and returns false; the rows are never changed. Choosing the
// path (the save dialog with ".txt", "untitled" and its overwrite question) is the front end's
// part.
bool SaveToTextFile(CTesselSession& session, const std::string& path,
                    ERecordFormat format = ERecordFormat::Lines);

// The names Save to Text File writes, written to an open stream; false when a write fails.
bool WriteNewNames(const CRenameList& list, std::FILE* file, ERecordFormat format);
