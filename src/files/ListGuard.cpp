#include "files/ListGuard.h"

#include "platform/StateFolder.h"

bool CListGuard::Take(const std::string& absoluteListPath, std::string& error,
                      std::chrono::milliseconds wait) {
    if (!m_folder.IsOpen() && !m_folder.Open(JournalFolderPath(), error))
        return false;
    return m_lock.Acquire(m_folder, absoluteListPath, error, wait);
}
