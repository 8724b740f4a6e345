// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

#include "files/JournalFolder.h"
#include "files/ListLock.h"

// What a command that may change a list and its files holds while it runs, in the window
// as in tessel-cli: the user's journal folder, open, and the list's lock, so that no other
// process changes the same list meanwhile. The lock goes with the object.
class CListGuard {
public:
    // Opens the journal folder (see JournalFolderPath) and takes the lock of the list at
    // listPath, however the path is spelled (see CanonicalListPath), waiting up to wait for
    // another process to let it go. False, with the reason in error, when either cannot be
    // had.
    bool Take(const std::string& listPath, std::string& error,
              std::chrono::milliseconds wait = std::chrono::milliseconds(2000));
    // The same for a list known by its key alone, such as one that has no file.
    bool TakeKey(const std::string& key, std::string& error,
                 std::chrono::milliseconds wait = std::chrono::milliseconds(2000));

    // Lets the lock go (it also goes with this object).
    void Release() { m_lock.Release(); }

    const CJournalFolder& Folder() const { return m_folder; }
    // The key of the list last asked for.
    const std::string& Key() const { return m_strKey; }

private:
    CJournalFolder m_folder;
    CListLock m_lock;
    std::string m_strKey;
};
