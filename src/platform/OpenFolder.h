// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <dirent.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PathFacts.h"

// One entry of a folder as its listing names it.
struct SFolderEntry {
    std::string strName;
    // The type the listing gives (DT_DIR, DT_REG, ...), DT_UNKNOWN when the file system
    // does not tell it.
    unsigned char nType = DT_UNKNOWN;
};

// A folder held open through its descriptor while it is walked: it is listed once, and
// its entries are asked about and its subfolders opened relative to it, so the system
// looks up only their names, and a folder renamed meanwhile is still the one walked.
class COpenFolder {
public:
    COpenFolder() = default;
    ~COpenFolder();
    COpenFolder(const COpenFolder&) = delete;
    COpenFolder& operator=(const COpenFolder&) = delete;

    // Opens the folder at path, relative to the folder parent when given (a link there is
    // not followed), or to the current folder (a link is followed). False with errno set
    // when it cannot be opened, or is not a folder.
    bool Open(const std::string& path, const COpenFolder* parent = nullptr);
    // The folder's device and inode, which tell one folder reached twice. False with errno
    // set when the system cannot tell them.
    bool GetIdentity(uint64_t& device, uint64_t& inode) const;
    // Every entry, "." and ".." excluded, sorted bytewise by name; once after Open.
    // False with errno set when the folder cannot be read.
    bool List(std::vector<SFolderEntry>& entries);
    // The facts of the entry named name in this folder; a link is not followed.
    bool StatEntry(const std::string& name, SEntryFacts& facts) const;

private:
    DIR* m_pDir = nullptr;
};
