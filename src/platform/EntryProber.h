// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/FolderCache.h"
#include "platform/PathFacts.h"

// Probes entries one after another as QueryEntryFolder does, through a folder cache: paths
// mostly come folder by folder, so each probe walks only the entry's own name. The probes
// of one pass take each folder as it stood when it was opened.
class CEntryProber {
public:
    // The folder the entry lies in (ending in "/"), valid until the next call, or nullptr
    // when nothing is there. facts as QueryEntryFolder fills them.
    const std::string* Probe(const std::string& path, SPathFacts& facts);

private:
    CFolderCache m_folders;
    std::string m_strFolder;  // the folder last returned
};
