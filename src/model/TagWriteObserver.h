// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

// A tag about to be written, with what the file held before: enough to put it back byte
// for byte. The file is known by its identity (device and inode) as well as its path.
struct STagWrite {
    std::string strPath;
    uint64_t nDevice = 0;
    uint64_t nInode = 0;
    uint64_t nOldLength = 0;  // the file's length before the write
    bool bHadTag = false;     // the last 128 bytes were a tag, written over in place
    std::array<unsigned char, 128> oldBlock{};  // those bytes, when bHadTag
    // The ID3v2 tag at the file's start, when the write changes it: the old tag's bytes
    // (empty when one is added) and the bytes the new one takes. When the sizes differ the
    // file was written anew: nDevice and nInode are then the new file's.
    bool bHeadWritten = false;
    std::string oldHead;
    uint64_t nNewHeadLength = 0;
};

// Hears each tag write before it is made, so that a record of the old bytes can be kept
// outside the process (the undo journal). Writes may be made on several threads at once:
// an observer takes calls from any of them.
class ITagWriteObserver {
public:
    virtual ~ITagWriteObserver() = default;
    // False means the old bytes could not be recorded: the tag is not written.
    virtual bool TagWriteStarting(const STagWrite& write) = 0;
};
