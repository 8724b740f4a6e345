// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "model/TextField.h"
#include "platform/PathFacts.h"

// The facts of one file, taken when the entry was filled: its name, new name, extension,
// path, size and last-write time.
class CFileFacts {
public:
    CFileFacts() = default;

    // The existence probe: sets m_bExists and m_bRoot and keeps the facts of the path.
    bool CheckPath(const std::string& path);
    // CheckPath, then every file field from the facts found. False, fields untouched,
    // when the path does not exist.
    bool FillFromPath(const std::string& path);
    // Every file field, as FillFromPath fills them, from the facts of a file found at an
    // absolute path (in its one spelling) already, without asking the system again.
    void FillFromFacts(std::string absolutePath, const SEntryFacts& facts);

    std::string GetNewFileName() const;
    std::string GetCurrentTitle() const;
    bool IsRoot() const { return m_bRoot; }
    bool Exists() const { return m_bExists; }
    // Whether the path last probed with CheckPath is a folder.
    bool IsFolder() const { return m_bFolder; }

    // The entry's new file name holds a character a name may not hold: "/" or a NUL byte
    // anywhere, and where the target file system refuses them (reservedRefused, see
    // RefusesReservedChars) also one of \ : * ? " < > |. An empty name holds none.
    static bool HasIllegalChar(const CFileFacts& entry, bool reservedRefused);

    // Fills the size fields from a full 64-bit size.
    void SetSize(uint64_t size);
    // Fills the time fields from seconds since 1970 UTC.
    void SetModified(int64_t seconds);

    CTextField m_strName;
    CTextField m_strNewName;
    CTextField m_strExt;
    CTextField m_strPath;
    CTextField m_strSize;
    uint64_t m_nSize = 0;  // the full size; the file format keeps its low 32 bits
    CTextField m_strModified;
    int64_t m_timeModified = 0;
    bool m_bRoot = false;
    bool m_bExists = false;

protected:
    // Copies (from an lvalue) or moves (from an rvalue) the file fields that copy
    // assignment of an entry carries over.
    template <class Source>
    void AssignFileFields(Source&& other) {
        m_strName = std::forward<Source>(other).m_strName;
        m_strNewName = std::forward<Source>(other).m_strNewName;
        m_strExt = std::forward<Source>(other).m_strExt;
        m_strPath = std::forward<Source>(other).m_strPath;
        m_strSize = std::forward<Source>(other).m_strSize;
        m_nSize = other.m_nSize;
        m_strModified = std::forward<Source>(other).m_strModified;
        m_timeModified = other.m_timeModified;
    }
    bool SameFileFields(const CFileFacts& other) const;

private:
    bool Probe(const std::string& path, SPathFacts& facts);

    bool m_bFolder = false;
};

// The extension of a name: from its last "." to the end, dot included; "" without a dot.
std::string ExtensionOf(const std::string& name);
// The name without its extension.
std::string TitleOf(const std::string& name);
// The "%i/%i/%i %i:%i" text of a time in local time.
std::string ModifiedText(int64_t seconds);
