#pragma once

#include <chrono>
#include <string>

class CJournalFolder;

// Keeps other processes from changing one list while this one may: an exclusive lock
// (flock) on a file in the journal folder, named like the list's journal. The lock goes
// with the object, or with the process however it ends.
class CListLock {
public:
    CListLock() = default;
    ~CListLock();
    CListLock(const CListLock&) = delete;
    CListLock& operator=(const CListLock&) = delete;

    // Takes the lock of the list, waiting up to wait for another process to let it go.
    // False, with the reason in error, when it cannot be had.
    bool Acquire(const CJournalFolder& folder, const std::string& absoluteListPath,
                 std::string& error,
                 std::chrono::milliseconds wait = std::chrono::milliseconds(2000));

private:
    int m_fd = -1;
};
