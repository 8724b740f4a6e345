// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Opens a regular file for reading; on success (0) fd is open and size holds the file's
// size, else it returns an errno value: EISDIR for a folder, EINVAL for anything else that
// is not a regular file.
int OpenRegularFile(const std::string& path, int& fd, uint64_t& size);

// Reads up to count bytes at the file's offset, retrying after a signal; 0 at the end of
// the file or on an error.
size_t ReadSome(int fd, char* buffer, size_t count);

// Whether the regular file at path holds exactly these bytes.
bool FileHolds(const std::string& path, std::string_view bytes);
