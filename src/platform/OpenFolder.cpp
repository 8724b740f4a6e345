// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OpenFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

COpenFolder::~COpenFolder() {
    if (m_pDir != nullptr)
        closedir(m_pDir);
}

bool COpenFolder::Open(const std::string& path, const COpenFolder* parent) {
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (parent ? O_NOFOLLOW : 0);
    int fd = openat(parent ? dirfd(parent->m_pDir) : AT_FDCWD, path.c_str(), flags);
    if (fd < 0)
        return false;
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        int error = errno;
        close(fd);
        errno = error;
        return false;
    }
    if (m_pDir != nullptr)
        closedir(m_pDir);
    m_pDir = dir;
    return true;
}

bool COpenFolder::GetIdentity(uint64_t& device, uint64_t& inode) const {
    struct stat st;
    if (fstat(dirfd(m_pDir), &st) != 0)
        return false;
    device = st.st_dev;
    inode = st.st_ino;
    return true;
}

bool COpenFolder::List(std::vector<SFolderEntry>& entries) {
    entries.clear();
    errno = 0;
    while (const dirent* entry = readdir(m_pDir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            entries.push_back({entry->d_name, entry->d_type});
        errno = 0;
    }
    if (errno != 0)
        return false;
    std::sort(entries.begin(), entries.end(),
              [](const SFolderEntry& a, const SFolderEntry& b) { return a.strName < b.strName; });
    return true;
}

bool COpenFolder::StatEntry(const std::string& name, SEntryFacts& facts) const {
    return StatEntryAt(dirfd(m_pDir), name.c_str(), facts);
}
