// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

class CHitDoc;
class CID3Tag;
class IPrompts;

// The tag of one entry's file (m_strPath), for the commands and the command line.

// Reads the file's tag into the entry's six tag fields, which then count as saved.
// False, the fields untouched, when the file has no tag or cannot be read; a read error
// is reported through the prompts when given.
bool ReadEntryTag(CHitDoc& entry, IPrompts* prompts = nullptr);
// Writes the entry's six tag fields into its file (see CID3Tag::WriteTag); on success
// they count as saved. A write error is reported through the prompts when given.
bool WriteEntryTag(CHitDoc& entry, IPrompts* prompts = nullptr);

// What EditEntryTag found and did.
struct STagEdit {
    // kResultOk (written; with a dry run, the file would take the tag), kResultUnchanged,
    // kResultReadOnly, kResultUnexpected (a read or write failed and was reported through
    // the tag, the file kept as it was), or kResultNotFound when the file did not open at
    // all: nOpenError then tells why (ENOENT, EISDIR, or EINVAL for a symbolic link or
    // anything else that is not a regular file).
    int nCode = 0;
    int nOpenError = 0;
};

// Sets the given tag fields (by column, each text taken as SetTagValue takes it) in the
// file of the entry's m_strPath, opening it once to read its block and write the new one;
// the fields not given keep what the file holds, and a file without a tag gets one. The
// entry ends with the tag read as saved and the edited fields, so IsTagChanged tells
// whether the edit changes the file; an unchanged tag is not written, nor anything with
// dryRun. A file that does not open for writing is read to tell whether it would change.
STagEdit EditEntryTag(CHitDoc& entry, const std::map<int, std::string>& values, bool dryRun,
                      CID3Tag& tag);
