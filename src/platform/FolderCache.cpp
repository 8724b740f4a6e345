// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderCache.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

CFolderCache::~CFolderCache() {
    Close();
}

void CFolderCache::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_bHeld = false;
    m_strFolder.clear();
}

CFolderCache::SPlace CFolderCache::Locate(const std::string& path) {
    const SPlace whole{AT_FDCWD, path.c_str()};
    size_t slash = path.rfind('/');
    // A bare name, or a path that ends in a slash, has no folder part worth opening.
    if (slash == std::string::npos || slash + 1 == path.size())
        return whole;
    std::string_view folder(path.data(), slash == 0 ? 1 : slash);
    if (!m_bHeld || folder != m_strFolder) {
        Close();
        m_strFolder.assign(folder);
        m_bHeld = true;
        // O_PATH needs no read right on the folder, only the search rights that a walk
        // of the whole path needs as well.
        do {
            m_fd = ::open(m_strFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        } while (m_fd < 0 && errno == EINTR);
    }
    if (m_fd < 0)
        return whole;
    return SPlace{m_fd, path.c_str() + slash + 1};
}
