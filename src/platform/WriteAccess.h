// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CFolderCache;

enum class EWriteAccess { Writable, NotFound, ReadOnly };

// True when an error from reaching a path (errno) means that no file of that name is
// there to reach: missing, a folder on the way is not one, too long, or a loop of links.
bool IsNoSuchFileError(int error);

// Whether this process may write the file at the path, as the system answers it
// (permissions, ACLs, an immutable file, a read-only mount): one call, no file opened.
// A path holding a zero byte names no file. With a folder cache, the path is looked up
// through its folder's descriptor.
EWriteAccess QueryWriteAccess(const std::string& path, CFolderCache* folders = nullptr);
