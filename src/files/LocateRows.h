// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/PathFacts.h"

// Where each row's file lies, as one probe of every row found it: row i's file lies in
// folders[folderOf[i]] (a path ending in "/"), or was not found when folderOf[i] is -1.
struct SRowFolders {
    std::vector<std::string> folders;
    std::vector<int> folderOf;
};

// What the probe of a row's file found, and which file it is.
struct SRowFacts : SEntryFacts {
    SFileId id;
};

// Each row's path, where its entry keeps it: a run reads the paths without copying them,
// so the entries must stay as they are while it does.
using RowPathList = std::vector<const std::string*>;

// Probes the file at each path once, folder by folder, and tells where each lies; the
// facts of each probe go to pFacts (one element per path) when given.
SRowFolders LocateRows(const RowPathList& paths, std::vector<SRowFacts>* pFacts);
