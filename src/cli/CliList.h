#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliPrompts.h"
#include "files/ListGuard.h"
#include "model/Profile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"

// One ".tsl" list loaded into a session, as every list command starts: an absent file is
// an empty list, and the list is written back only when its rows changed.
class CCliList {
public:
    CCliList();

    // False, with one line on stderr naming the file and the problem, when the file
    // exists but is not a list that loads whole. Such a list must never be written.
    // A command that may change the list (toChange) first takes the list's lock, so
    // that no other process changes it meanwhile; when another holds it for more than a
    // moment, nothing is loaded. When the journal folder cannot be used, only a command
    // that needs it (forRun) is refused: an edit of the list goes on without the lock.
    bool Load(const std::string& path, bool toChange = true, bool forRun = false);
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
};
