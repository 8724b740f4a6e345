#pragma once

#include <string>

#include "platform/PathFacts.h"

// Probes entries one after another as QueryEntryFolder does. Paths mostly come folder by
// folder, so the folder of the last plain absolute path stays open and the next probe in
// it walks only the entry's own name instead of the whole path. The probes of one pass
// thus take that folder as it stood when it was opened.
class CEntryProber {
public:
    CEntryProber() = default;
    ~CEntryProber();
    CEntryProber(const CEntryProber&) = delete;
    CEntryProber& operator=(const CEntryProber&) = delete;

    // The folder the entry lies in (ending in "/"), valid until the next call, or nullptr
    // when nothing is there. facts as QueryEntryFolder fills them.
    const std::string* Probe(const std::string& path, SPathFacts& facts);

private:
    void OpenFolder(std::string_view folder);

    std::string m_strFolder;  // the open folder, or the folder of the last other path
    int m_fd = -1;
};
