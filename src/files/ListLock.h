// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

class CJournalFolder;

// Keeps other processes from changing one list while this one may: an exclusive lock
// (flock) on the file "<key>.lock" in the journal folder, the key being the list's
// (ListKey). The file is there only while the lock is held: its holder removes it when
// letting go. The lock also goes with the process however it ends; a file left behind
// then is taken over by the next holder.
class CListLock {
public:
    CListLock() = default;
    ~CListLock() { Release(); }
    CListLock(const CListLock&) = delete;
    CListLock& operator=(const CListLock&) = delete;

    // Takes the lock of the list with this key, waiting up to wait for another process to
    // let it go (no wait: one try). A lock held already is let go first. False, with the
    // reason in error, when it cannot be had.
    bool Acquire(const CJournalFolder& folder, const std::string& key, std::string& error,
                 std::chrono::milliseconds wait = std::chrono::milliseconds(2000));
    // Removes the lock file and lets the lock go; nothing when none is held.
    void Release();

    // Whether some process holds the lock of the list with this key now, for telling a run
    // still going from one whose process died. Creates and removes no file; says held when
    // it cannot tell.
    static bool IsHeld(const CJournalFolder& folder, const std::string& key);

private:
    int m_fd = -1;
    int m_folderFd = -1;  // a descriptor of its own, so the folder object may go first
    std::string m_strName;
};
