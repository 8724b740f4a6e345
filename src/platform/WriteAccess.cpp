// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WriteAccess.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FolderCache.h"

bool IsNoSuchFileError(int error) {
    return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP;
}

EWriteAccess QueryWriteAccess(const std::string& path, CFolderCache* folders) {
    if (path.find('\0') != std::string::npos)
        return EWriteAccess::NotFound;
    CFolderCache::SPlace place =
        folders ? folders->Locate(path) : CFolderCache::SPlace{AT_FDCWD, path.c_str()};
    if (faccessat(place.nFolder, place.pszName, W_OK, AT_EACCESS) == 0)
        return EWriteAccess::Writable;
    return IsNoSuchFileError(errno) ? EWriteAccess::NotFound : EWriteAccess::ReadOnly;
}
