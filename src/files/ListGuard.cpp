// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ListGuard.h"

#include "files/ListKey.h"
#include "platform/StateFolder.h"

bool CListGuard::Take(const std::string& listPath, std::string& error,
                      std::chrono::milliseconds wait) {
    return TakeKey(ListKey(ListIdentityPath(listPath)), error, wait);
}

bool CListGuard::TakeKey(const std::string& key, std::string& error,
                         std::chrono::milliseconds wait) {
    m_strKey = key;
    if (!m_folder.IsOpen() && !m_folder.Open(JournalFolderPath(), error))
        return false;
    return m_lock.Acquire(m_folder, key, error, wait);
}
