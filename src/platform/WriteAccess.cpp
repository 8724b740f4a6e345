#include "platform/WriteAccess.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

EWriteAccess QueryWriteAccess(const std::string& path) {
    if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        return EWriteAccess::Writable;
    return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG || errno == ELOOP
               ? EWriteAccess::NotFound
               : EWriteAccess::ReadOnly;
}
