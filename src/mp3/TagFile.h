#pragma once

class CHitDoc;
class IPrompts;

// The tag of one entry's file (m_strPath), for the commands and the command line.

// Reads the file's tag into the entry's six tag fields, which then count as saved.
// False, the fields untouched, when the file has no tag or cannot be read; a read error
// is reported through the prompts when given.
bool ReadEntryTag(CHitDoc& entry, IPrompts* prompts = nullptr);
// Writes the entry's six tag fields into its file (see CID3Tag::WriteTag); on success
// they count as saved. A write error is reported through the prompts when given.
bool WriteEntryTag(CHitDoc& entry, IPrompts* prompts = nullptr);
