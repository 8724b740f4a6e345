// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The folder of the last path asked about, kept open, so that a run over paths that
// arrive folder by folder walks each folder's path once and then looks up only names in
// it. A path whose folder cannot be opened is reached through the whole path, so every
// failure reads as it would without the cache.
//
// Keep one for the length of a single pass over the files: a folder that is renamed or
// replaced while it is open would still be the one reached.
class CFolderCache {
public:
    CFolderCache() = default;
    ~CFolderCache();
    CFolderCache(const CFolderCache&) = delete;
    CFolderCache& operator=(const CFolderCache&) = delete;

    // Where a path is reached: a descriptor for the *at calls (a folder, or AT_FDCWD)
    // and the name to pass with it, which points into the path given.
    struct SPlace {
        int nFolder;
        const char* pszName;
    };
    SPlace Locate(const std::string& path);
    // Closes the folder kept open; the next Locate opens one again.
    void Close();

private:
    std::string m_strFolder;
    int m_fd = -1;
    bool m_bHeld = false;  // m_strFolder was asked for (m_fd may be -1 when it failed to open)
};
