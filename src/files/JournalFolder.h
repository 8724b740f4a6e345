// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The folder that holds the journals and list locks of one user, opened once and then
// used only through its descriptor, so that no name inside it is looked up through a
// link. A front end says where the folder is; the folder is trusted only when it is
// this user's own and nobody else may write into it.
class CJournalFolder {
public:
    CJournalFolder() = default;
    ~CJournalFolder();
    CJournalFolder(const CJournalFolder&) = delete;
    CJournalFolder& operator=(const CJournalFolder&) = delete;

    // Opens the folder at path (absolute), making it with mode 0700 (and any missing
    // folder above it) when it is absent. Refuses a link in its place, and a folder that
    // another user owns or that its group or others may write. False, with the reason in
    // error, when it cannot be used.
    bool Open(const std::string& path, std::string& error);

    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_strPath; }
    // Makes the names created, renamed or removed inside the folder durable.
    bool Sync() const;

private:
    int m_fd = -1;
    std::string m_strPath;
};
