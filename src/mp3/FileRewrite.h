// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// What a new file is made of: head, then the bytes from..to of the old file, then tail.
struct SFileSplice {
    std::string_view head;
    uint64_t nFrom = 0;
    uint64_t nTo = 0;
    std::string_view tail;
};

// Called with the new file's device and inode once it is whole and on disk, before it
// takes the old one's name; false stops the rewrite.
using FileReady = std::function<bool(uint64_t device, uint64_t inode)>;

// Replaces the file at path, open as fd, with the splice: written to a temporary file in
// the same folder, with the old file's mode (and owner, where the system allows), synced,
// then renamed over the path, so that a kill or a full disk at any moment leaves either
// the old file or the new one. The file gets a new identity. False, with errno set and
// the temporary file removed, when any step fails; the old file is then as it was.
bool RewriteFile(int fd, const std::string& path, const SFileSplice& splice,
                 const FileReady& ready = {});
