// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EntryProber.h"

const std::string* CEntryProber::Probe(const std::string& path, SPathFacts& facts) {
    if (!IsPlainAbsolutePath(path)) {
        m_strFolder = QueryEntryFolder(path, facts);
        return m_strFolder.empty() ? nullptr : &m_strFolder;
    }
    facts = SPathFacts();
    CFolderCache::SPlace place = m_folders.Locate(path);
    if (!StatEntryAt(place.nFolder, place.pszName, facts, &facts.id))
        return nullptr;
    size_t folderLength = path.find_last_of('/') + 1;
    if (m_strFolder.compare(0, std::string::npos, path, 0, folderLength) != 0)
        m_strFolder.assign(path, 0, folderLength);
    return &m_strFolder;
}
