// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CFolderCache;
class IPrompts;

enum class EOpenMode { Read, ReadWrite };

inline constexpr const char* kTagDiskFullMessage =
    "Cannot write the tag: the disk is full. The file was left as it was.";

// A regular file opened for one short operation. A read or write error shows
// "Cannot open file. Access is denied." (or that the disk is full) once and the operation
// returns false; failing
// to open is not an error worth a message (the file is missing, in use or not ours).
// Positions are explicit (pread/pwrite), so no operation depends on a file position.
class CGuardedFile {
public:
    // Messages go to the prompts; none are shown without them.
    explicit CGuardedFile(IPrompts* prompts = nullptr) : m_pPrompts(prompts) {}
    virtual ~CGuardedFile();
    CGuardedFile(const CGuardedFile&) = delete;
    CGuardedFile& operator=(const CGuardedFile&) = delete;

    // False, without a message, when the path cannot be opened in that mode or is not a
    // regular file (a path holding a zero byte names no file). Closes a file still open
    // first. With a folder cache, the path is looked up through its folder's descriptor.
    // Without followLink a path naming a symbolic link does not open (ELOOP).
    bool Open(const std::string& path, EOpenMode mode, CFolderCache* folders = nullptr,
              bool followLink = true);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // The open file's descriptor, -1 when none is open.
    int Descriptor() const { return m_fd; }
    // Why the last Open failed (an errno value; EISDIR for a folder, EINVAL for anything
    // else that is not a regular file), 0 after a successful one.
    int GetOpenError() const { return m_nOpenError; }
    // The length the file had when it was opened.
    uint64_t GetLength() const { return m_nLength; }
    // The open file's device and inode; false when it cannot be examined.
    bool GetIdentity(uint64_t& device, uint64_t& inode) const;

    // Reads exactly n bytes at the offset. A read error is reported; a file that ends
    // before them gives false without a message.
    bool ReadAt(uint64_t offset, void* buffer, size_t n);
    // Writes all n bytes at the offset; a failure is reported when asked to.
    bool WriteAt(uint64_t offset, const void* data, size_t n, bool report = true);
    // Cuts or extends the file to the length, without a message.
    bool SetLength(uint64_t length);

    // Shows the error of a read or write that failed for this reason (an errno value):
    // "Cannot open file. Access is denied.", or for a full disk that it is full.
    virtual void ReportError(int error);

private:
    IPrompts* m_pPrompts;
    int m_fd = -1;
    int m_nOpenError = 0;
    uint64_t m_nLength = 0;
};
