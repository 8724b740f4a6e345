#include "files/PutBack.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/FileRename.h"

EPutBack PutBack(const SRunRename& rename, bool mayBeUnmade) {
    struct stat atFrom;
    struct stat atTo;
    bool hasFrom = lstat(rename.strFrom.c_str(), &atFrom) == 0;
    bool hasTo = lstat(rename.strTo.c_str(), &atTo) == 0;
    bool known = rename.nInode != 0;
    auto isFile = [&](const struct stat& facts) {
        return static_cast<uint64_t>(facts.st_dev) == rename.nDevice &&
               static_cast<uint64_t>(facts.st_ino) == rename.nInode;
    };
    bool fileAtTo = hasTo && (!known || isFile(atTo));
    bool fileAtFrom = hasFrom && (known ? isFile(atFrom) : !hasTo);
    // A file known by its identity is in place under its old name whatever else holds the
    // new one: its rename was never made, or was put back before.
    if (fileAtFrom && (!hasTo || ((known || mayBeUnmade) && !fileAtTo)))
        return EPutBack::InPlace;
    if (!fileAtTo)
        return fileAtFrom ? EPutBack::Taken : EPutBack::Missing;
    if (hasFrom)
        return EPutBack::Taken;
    if (RenameFile(rename.strTo, rename.strFrom))
        return EPutBack::Renamed;
    int error = errno;
    if (lstat(rename.strFrom.c_str(), &atFrom) == 0)
        return EPutBack::Taken;
    errno = error;
    return EPutBack::Failed;
}
