// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/PutBack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>

#include <cerrno>

#include "mp3/FileRewrite.h"
#include "mp3/Id3v2Layout.h"
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

bool ReadBytes(int fd, uint64_t offset, std::string& bytes) {
    return pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
           static_cast<ssize_t>(bytes.size());
}

bool WriteBytes(int fd, uint64_t offset, const void* bytes, size_t n) {
    return pwrite(fd, bytes, n, static_cast<off_t>(offset)) == static_cast<ssize_t>(n);
}

// Whether the file holds what it held before the write: its old length, ID3v2 tag and
// block.
bool HoldsOldTags(int fd, uint64_t length, const STagWrite& write) {
    std::string head(write.oldHead.size(), '\0');
    std::array<unsigned char, kTagSize> block{};
    return length == write.nOldLength && ReadBytes(fd, 0, head) && head == write.oldHead &&
           (!write.bHadTag || (ReadBlock(fd, length - kTagSize, block) && block == write.oldBlock));
}

// Whether the file still starts with an ID3v2 tag of the length written and ends in a
// block: it is as the write left it, as far as the tags go.
bool HoldsNewTags(int fd, uint64_t length, const STagWrite& write) {
    std::string first(kId3v2HeaderSize, '\0');
    std::array<unsigned char, kTagSize> block{};
    SId3v2Header header;
    return length >= write.nNewHeadLength + kTagSize && ReadBytes(fd, 0, first) &&
           ParseId3v2Header(first, length, header) == EId3v2Head::Tag &&
           header.nTagSize == write.nNewHeadLength && ReadBlock(fd, length - kTagSize, block) &&
           std::memcmp(block.data(), "TAG", 3) == 0;
}

// A write that changed the ID3v2 tag goes back as one: a tag of the same size and the
// block are written over in place, anything else makes the file anew from the old tag,
// the audio and the old block (or none).
EPutBack RestoreHeadAndTag(int fd, uint64_t length, const STagWrite& write, const std::string& path) {
    if (HoldsOldTags(fd, length, write))
        return EPutBack::InPlace;
    uint64_t written = write.nOldLength - write.oldHead.size() + write.nNewHeadLength +
                       (write.bHadTag ? 0 : kTagSize);
    if (length != written || !HoldsNewTags(fd, length, write))
        return EPutBack::Changed;
    uint64_t blockAt = length - kTagSize;
    if (write.oldHead.size() == write.nNewHeadLength) {
        bool blockBack = write.bHadTag ? WriteBytes(fd, blockAt, write.oldBlock.data(), kTagSize)
                                       : ftruncate(fd, static_cast<off_t>(blockAt)) == 0;
        return blockBack && WriteBytes(fd, 0, write.oldHead.data(), write.oldHead.size())
                   ? EPutBack::Renamed
                   : EPutBack::Failed;
    }
    SFileSplice splice;
    splice.head = write.oldHead;
    splice.nFrom = write.nNewHeadLength;
    splice.nTo = blockAt;
    if (write.bHadTag)
        splice.tail = std::string_view(reinterpret_cast<const char*>(write.oldBlock.data()),
                                       kTagSize);
    return RewriteFile(fd, path, splice) ? EPutBack::Renamed : EPutBack::Failed;
}

EPutBack RestoreOpenTag(int fd, const STagWrite& write) {
    struct stat facts;
    if (fstat(fd, &facts) != 0)
        return EPutBack::Failed;
    if (static_cast<uint64_t>(facts.st_dev) != write.nDevice ||
        static_cast<uint64_t>(facts.st_ino) != write.nInode || !S_ISREG(facts.st_mode))
        return EPutBack::Missing;
    uint64_t length = static_cast<uint64_t>(facts.st_size);
    if (write.bHeadWritten)
        return RestoreHeadAndTag(fd, length, write, write.strPath);
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
