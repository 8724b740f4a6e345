// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/PutBack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>

#include <cerrno>

#include "platform/FileRename.h"

namespace {

// An exchange goes back by exchanging again, only while each name holds the other's file.
EPutBack PutBackExchange(const SRunRename& rename) {
    struct stat atFrom;
    struct stat atTo;
    bool hasFrom = lstat(rename.strFrom.c_str(), &atFrom) == 0;
    bool hasTo = lstat(rename.strTo.c_str(), &atTo) == 0;
    auto holds = [&](bool has, const struct stat& facts, uint64_t inode) {
        return has && static_cast<uint64_t>(facts.st_dev) == rename.nDevice &&
               static_cast<uint64_t>(facts.st_ino) == inode;
    };
    if (holds(hasFrom, atFrom, rename.nInode) && holds(hasTo, atTo, rename.nOtherInode))
        return EPutBack::InPlace;
    if (holds(hasTo, atTo, rename.nInode) && holds(hasFrom, atFrom, rename.nOtherInode))
        return ExchangeFiles(rename.strTo, rename.strFrom) ? EPutBack::Renamed : EPutBack::Failed;
    if (!holds(hasFrom, atFrom, rename.nInode) && !holds(hasTo, atTo, rename.nInode))
        return EPutBack::Missing;
    return EPutBack::Taken;
}

}  // namespace

EPutBack PutBack(const SRunRename& rename) {
    if (rename.bExchange)
        return PutBackExchange(rename);
    struct stat atFrom;
    struct stat atTo;
    bool hasFrom = lstat(rename.strFrom.c_str(), &atFrom) == 0;
    bool hasTo = lstat(rename.strTo.c_str(), &atTo) == 0;
    auto isFile = [&](const struct stat& facts) {
        return static_cast<uint64_t>(facts.st_dev) == rename.nDevice &&
               static_cast<uint64_t>(facts.st_ino) == rename.nInode;
    };
    bool fileAtTo = hasTo && isFile(atTo);
    // Under its old name only: its rename was never made, or was put back before.
    if (hasFrom && isFile(atFrom) && !fileAtTo)
        return EPutBack::InPlace;
    if (!fileAtTo)
        return EPutBack::Missing;
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

namespace {

constexpr size_t kTagSize = 128;

bool ReadBlock(int fd, uint64_t offset, std::array<unsigned char, kTagSize>& block) {
    return pread(fd, block.data(), kTagSize, static_cast<off_t>(offset)) ==
           static_cast<ssize_t>(kTagSize);
}

EPutBack RestoreOpenTag(int fd, const STagWrite& write) {
    struct stat facts;
    if (fstat(fd, &facts) != 0)
        return EPutBack::Failed;
    if (static_cast<uint64_t>(facts.st_dev) != write.nDevice ||
        static_cast<uint64_t>(facts.st_ino) != write.nInode || !S_ISREG(facts.st_mode))
        return EPutBack::Missing;
    uint64_t length = static_cast<uint64_t>(facts.st_size);
    std::array<unsigned char, kTagSize> block{};
    if (!write.bHadTag) {
        if (length == write.nOldLength)
            return EPutBack::InPlace;
        if (length != write.nOldLength + kTagSize || !ReadBlock(fd, write.nOldLength, block) ||
            std::memcmp(block.data(), "TAG", 3) != 0)
            return EPutBack::Changed;
        return ftruncate(fd, static_cast<off_t>(write.nOldLength)) == 0 ? EPutBack::Renamed
                                                                        : EPutBack::Failed;
    }
    uint64_t offset = write.nOldLength - kTagSize;
    if (length != write.nOldLength || !ReadBlock(fd, offset, block))
        return EPutBack::Changed;
    if (block == write.oldBlock)
        return EPutBack::InPlace;
    return pwrite(fd, write.oldBlock.data(), kTagSize, static_cast<off_t>(offset)) ==
                   static_cast<ssize_t>(kTagSize)
               ? EPutBack::Renamed
               : EPutBack::Failed;
}

}  // namespace

EPutBack RestoreTag(const STagWrite& write) {
    if (write.bHadTag && write.nOldLength < kTagSize)
        return EPutBack::Changed;
    int fd = open(write.strPath.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? EPutBack::Missing : EPutBack::Failed;
    EPutBack outcome = RestoreOpenTag(fd, write);
    int error = errno;
    close(fd);
    errno = error;
    return outcome;
}
