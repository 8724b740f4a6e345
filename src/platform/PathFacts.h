// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the file system tells about one directory entry, read without following a
// symbolic link, so that an unreadable file still exists and a dangling link is an entry
// of its own.
struct SEntryFacts {
    bool bExists = false;
    bool bIsFolder = false;
    // The file system refuses to rename or change the entry, whoever asks: it carries the
    // immutable or the append-only attribute.
    bool bImmutable = false;
    uint64_t nSize = 0;
    int64_t timeModified = 0;  // seconds since 1970-01-01 UTC
    // The entry's permission bits and owner, for IsReadOnlyEntry.
    uint32_t nMode = 0;
    uint32_t nOwner = 0;
    uint32_t nGroup = 0;
};

// Which file an entry is: its device and inode, as lstat gives them. Both are 0 when
// unknown.
struct SFileId {
    uint64_t nDevice = 0;
    uint64_t nInode = 0;
};

// The facts of an entry together with where it is.
struct SPathFacts : SEntryFacts {
    std::string strName;  // the last component, as the directory stores it
    std::string strPath;  // absolute, with "." and ".." resolved
    SFileId id;
};

// The user a question of rights is asked for: the effective user and groups.
struct SUserIds {
    uint32_t nUser = 0;
    std::vector<uint32_t> groups;  // the effective group first
    // This process's ids, as they are now.
    static SUserIds Current();
    // The entry is not immutable and its permission bits let this user write it (the
    // superuser passes them).
    bool MayWrite(const SEntryFacts& facts) const;
};

// True when the entry itself is not writable by this user: it is immutable, or (for any
// user but the superuser) its permission bits refuse this user a write.
bool IsReadOnlyEntry(const SEntryFacts& facts);

// Makes a path absolute against the current folder and resolves "." and "..", without
// changing the current folder. Returns "" for an empty path.
std::string AbsolutePath(const std::string& path);
// The path with every symbolic link, "." and ".." resolved by the system (realpath); ""
// when it cannot be resolved (something along it is missing).
std::string ResolvedPath(const std::string& path);

// Fills facts for the path; false (facts.bExists false) when nothing is there.
bool QueryPath(const std::string& path, SPathFacts& facts);

// An absolute path other than "/" with no empty, "." or ".." component, no trailing
// slash and no NUL byte: the one spelling of its file, which the file system resolves as
// written.
bool IsPlainAbsolutePath(std::string_view path);

// The stat facts (not strName or strPath) of the entry at path, relative to the folder
// descriptor (or AT_FDCWD); a symbolic link is not followed. False when nothing is there.
// The entry's identity goes to id when asked for.
bool StatEntryAt(int folder, const char* path, SEntryFacts& facts, SFileId* id = nullptr);

// Probes the entry at path and returns the folder it lies in as the file system resolves
// it (ending in "/"), or "" when nothing is there. facts gets what QueryPath gives, except
// that for a path already in its one absolute spelling strName and strPath stay empty: it
// is probed as written, without a copy, since a run probes every row this way.
std::string QueryEntryFolder(const std::string& path, SPathFacts& facts);

// True when the file system root is meant ("/").
bool IsRootPath(const std::string& absolutePath);
