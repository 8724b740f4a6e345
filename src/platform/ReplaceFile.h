// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

// Replaces the contents of the regular file at path (or creates it) so that a reader
// sees either the old file whole or the new one whole, whatever happens meanwhile:
// the new bytes go to an unnamed file in the same folder, reach the disk, and only then
// take the name. The file keeps what it is: a symbolic link is written through to its
// target, an existing file keeps its owner, group and mode, and a new one gets the mode
// the umask allows. A failed save leaves no file behind, and neither does a killed one
// where the file system has unnamed files (O_TMPFILE), except in the instant between
// naming the new file ".NAME.NUMBER.tmp" and renaming it; elsewhere a killed save can
// leave such a file.
//
// Refused, with nothing changed: something at path that is not a regular file, a link
// that leads nowhere, a file this user may not write or that has no write permission for
// anyone (the superuser included), and a file whose owner this user cannot give the new
// one. write(fd) puts the bytes and returns false with errno set on failure.
//
// Returns "" on success, otherwise why the file was not replaced.
std::string ReplaceFile(const std::string& path, const std::function<bool(int fd)>& write);
