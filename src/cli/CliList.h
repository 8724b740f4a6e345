// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliPrompts.h"
#include "files/ListGuard.h"
#include "model/Profile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"

// What a command says of a list file that does not exist.
inline constexpr const char* kNoSuchListMessage = "no such list; 'tessel-cli add' makes one";

// One ".tsl" list loaded into a session, as every list command starts; the list is written
// back only when its rows changed.
class CCliList {
public:
    CCliList();

    // False, with one line on stderr naming the file and the problem, when the file
    // exists but is not a list that loads whole. Such a list must never be written.
    // A command that may change the list (toChange) first takes the list's lock, so
    // that no other process changes it meanwhile; when another holds it for more than a
    // moment, nothing is loaded. When the journal folder cannot be used, only a command
    // that needs it (forRun) is refused: an edit of the list goes on without the lock.
    // A list that does not exist is refused too: a mistyped name must not pass for an
    // empty list.
    bool Load(const std::string& path, bool toChange = true, bool forRun = false);
    // As Load, but a list that does not exist starts empty, and is written even when it
    // stays empty.
    bool LoadOrStart(const std::string& path);
    // Writes the list when its bytes would differ from the file (or when the file was
    // absent and rows were added). False, with the error on stderr, on failure. The file
    // is compared as it stands then: the lock kept other writers away since the load.
    bool SaveIfChanged();

    CTesselSession& Session() { return m_session; }
    CCliPrompts& Prompts() { return m_prompts; }
    const std::string& Path() const { return m_strPath; }
    // The list's lock and the folder of its journals, held once Load took the lock.
    CListGuard& Guard() { return m_guard; }

private:
    bool Lock(bool forRun);
    // True when the list's bytes are those of its file (or of the stream it was read from).
    bool HoldsItsFile();
    bool LoadFile(const std::string& path, bool toChange, bool forRun, bool mayStart);

    CListGuard m_guard;
    CMemoryProfile m_profile;
    CCliPrompts m_prompts;
    CTesselSession m_session;
    CTesselDoc m_doc;
    std::string m_strPath;
    std::string m_strAbsolutePath;
    // The size of the list file as read (0 when absent), to tell at the end whether the
    // list changed, and the bytes of one that was not a regular file.
    uint64_t m_nLoadedSize = 0;
    std::optional<std::string> m_streamBytes;
    bool m_bLoaded = false;
    bool m_bStarted = false;  // the file was absent, and is to be made
};
