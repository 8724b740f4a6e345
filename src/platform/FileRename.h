// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PathFacts.h"

// Renames one file or folder without ever replacing an existing name. Uses
// renameat2(RENAME_NOREPLACE); where the file system refuses that flag, a file is
// linked under the new name and then unlinked under the old one (the link fails when
// the name is taken), and anything else fails. A change of letter case only works also
// on a file system that ignores case, through a free name of its own. Whatever changes in
// the folders meanwhile, no existing name is replaced and no file other than the one
// renamed loses its name. False, with errno telling why, when nothing was renamed; a path
// holding a NUL byte is never passed to the file system.
bool RenameFile(const std::string& from, const std::string& to);

class CFolderCache;
// The same, for a pass over many files: a rename inside one folder goes through the
// descriptor the cache keeps of that folder, so that only the two names are looked up.
bool RenameFile(const std::string& from, const std::string& to, CFolderCache& folders);

// Trades the names of two entries of one folder in one step (renameat2 RENAME_EXCHANGE):
// nothing is replaced, and at no moment is either name free. False, with errno telling
// why, when nothing changed (EINVAL where the file system cannot exchange).
bool ExchangeFiles(const std::string& first, const std::string& second);
bool ExchangeFiles(const std::string& first, const std::string& second, CFolderCache& folders);

// The fallback of RenameFile: link, then unlink. Fails on folders and where the file
// system has no hard links. Exposed so that it can be tested on any file system.
bool RenameByLink(const std::string& from, const std::string& to);

// What this user may do inside one folder, read once per folder.
struct SFolderRights {
    bool bFound = false;      // the folder exists
    bool bMayChange = false;  // it may be written and searched by this user
    bool bSticky = false;     // only owners may rename or delete its entries
    uint32_t nOwner = 0;      // the folder's owner
    long nNameMax = 255;      // the longest name, in bytes, its file system takes
    SUserIds user;            // who asks: the ids when the rights were read
};

SFolderRights QueryFolderRights(const std::string& folder);

// Whether the user who read the folder's rights may rename the entry with these facts
// inside it: the folder lets the user rename it (writable and searchable; when sticky, the
// user owns the folder or the entry, or is root), the entry is not immutable and its
// permission bits let the user write it (root passes them). A read-only file system
// allows nothing. Asks the file system nothing: a run judges every row this way.
bool MayRenameEntry(const SEntryFacts& entry, const SFolderRights& folder);
