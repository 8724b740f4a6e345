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

// Compares a regular file, from its start, with bytes that come piece by piece, so that
// the bytes need never be held whole. A path that is no readable regular file matches
// nothing.
class CFileMatch {
public:
    explicit CFileMatch(const std::string& path);
    ~CFileMatch();
    CFileMatch(const CFileMatch&) = delete;
    CFileMatch& operator=(const CFileMatch&) = delete;

    // The file's size when it was opened.
    uint64_t Size() const { return m_nSize; }
    // Whether the file's next bytes are these; once false, false for good.
    bool Next(std::string_view piece);
    // Whether the pieces so far matched the whole file.
    bool Whole() const { return m_bSame && m_nDone == m_nSize; }

private:
    int m_fd = -1;
    uint64_t m_nSize = 0;
    uint64_t m_nDone = 0;
    bool m_bSame = false;
    std::string m_chunk;
};
