// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

// Makes a file refuse writes by this process for the life of the object. The superuser
// passes permission bits, so for it the file is made immutable (Protect fails where the
// file system cannot do that).
class CReadOnlyFile {
public:
    ~CReadOnlyFile() {
        if (m_bImmutable)
            SetImmutable(false);
    }
    bool Protect(const std::string& path) {
        m_strPath = path;
        if (geteuid() != 0)
            return chmod(path.c_str(), 0444) == 0;
        return m_bImmutable = SetImmutable(true);
    }

private:
    bool SetImmutable(bool on) {
        int fd = open(m_strPath.c_str(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        close(fd);
        return done;
    }

    std::string m_strPath;
    bool m_bImmutable = false;
};
