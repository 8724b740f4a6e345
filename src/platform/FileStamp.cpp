// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileStamp.h"

#include <sys/stat.h>

SFileStamp StampOfFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return {};
    return {true, static_cast<uint64_t>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}
