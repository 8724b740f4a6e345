#pragma once

#include <string>

enum class EWriteAccess { Writable, NotFound, ReadOnly };

// Whether this process may write the file at the path, as the system answers it
// (permissions, ACLs, an immutable file, a read-only mount): one call, no file opened.
EWriteAccess QueryWriteAccess(const std::string& path);
