#pragma once

#include <cstdint>
#include <string>

// What the file system tells about one directory entry, read with lstat so that an
// unreadable file still exists and a dangling symbolic link is an entry of its own.
struct SPathFacts {
    bool bExists = false;
    bool bIsFolder = false;
    bool bReadOnly = false;  // the entry itself is not writable by this user
    std::string strName;     // the last component, as the directory stores it
    std::string strPath;     // absolute, with "." and ".." resolved
    uint64_t nSize = 0;
    int64_t timeModified = 0;  // seconds since 1970-01-01 UTC
};

// Makes a path absolute against the current folder and resolves "." and "..", without
// changing the current folder. Returns "" for an empty path.
std::string AbsolutePath(const std::string& path);

// Fills facts for the path; false (facts.bExists false) when nothing is there.
bool QueryPath(const std::string& path, SPathFacts& facts);

// True when the file system root is meant ("/").
bool IsRootPath(const std::string& absolutePath);
