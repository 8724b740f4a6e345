// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/JournalFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Makes every missing folder above path; the folder itself is left to the caller.
bool MakeParents(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

}  // namespace

CJournalFolder::~CJournalFolder() {
    if (m_fd >= 0)
        close(m_fd);
}

bool CJournalFolder::Open(const std::string& path, std::string& error) {
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty() || folder[0] != '/' || folder == "/") {
        error = "no folder for the undo journal: neither XDG_STATE_HOME nor HOME names one";
        return false;
    }
    auto fail = [&](const std::string& why) {
        error = folder + ": " + why;
        return false;
    };
    if (!MakeParents(folder) || (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST))
        return fail(std::string("cannot create the journal folder: ") + std::strerror(errno));
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP || errno == ENOTDIR)
            return fail("refused as the journal folder: it is not a folder but a link or a file");
        return fail(std::string("cannot open the journal folder: ") + std::strerror(errno));
    }
    struct stat facts;
    const char* refusal = nullptr;
    if (fstat(fd, &facts) != 0)
        refusal = "it cannot be examined";
    else if (facts.st_uid != geteuid())
        refusal = "another user owns it";
    else if ((facts.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        refusal = "others may write into it";
    if (refusal != nullptr) {
        close(fd);
        return fail(std::string("refused as the journal folder: ") + refusal);
    }
    if (m_fd >= 0)
        close(m_fd);
    m_fd = fd;
    m_strPath = folder;
    return true;
}

bool CJournalFolder::Sync() const {
    return m_fd >= 0 && fsync(m_fd) == 0;
}
