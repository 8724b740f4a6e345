// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// What shows that a file was written since it was last looked at: its size and its
// modification time to the nanosecond, of the file the path leads to (links followed).
struct SFileStamp {
    bool bExists = false;
    uint64_t nSize = 0;
    int64_t nSeconds = 0;
    int64_t nNanoseconds = 0;
    bool operator==(const SFileStamp&) const = default;
};

SFileStamp StampOfFile(const std::string& path);
