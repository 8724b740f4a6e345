#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/FolderPicture.h"
#include "model/TextField.h"
#include "platform/PathFacts.h"

// Where each row's file lies, as one probe of every row found it: row i's file lies in
// folders[folderOf[i]] (a path ending in "/"), or was not found when folderOf[i] is -1.
struct SRowFolders {
    std::vector<std::string> folders;
    std::vector<int> folderOf;
};

// Probes the file at each path once, folder by folder, and tells where each lies; the
// facts of each probe go to pFacts (one element per path) when given.
SRowFolders LocateRows(const std::vector<std::string>& paths, std::vector<SPathFacts>* pFacts);

// The facts of one file, taken when the entry was filled: its name, new name, extension,
// path, size and last-write time.
class CFileFacts {
public:
    CFileFacts() = default;
    virtual ~CFileFacts() = default;

    // The existence probe: sets m_bExists and m_bRoot and keeps the facts of the path.
    bool CheckPath(const std::string& path);
    // CheckPath, then every file field from the facts found. False, fields untouched,
    // when the path does not exist.
    bool FillFromPath(const std::string& path);
    // Every file field, as FillFromPath fills them, from the facts of a file found at an
    // absolute path (in its one spelling) already, without asking the system again.
    void FillFromFacts(std::string absolutePath, const SEntryFacts& facts);

    std::string GetFolder() const;
    std::string GetNewFileName() const;
    std::string GetCurrentTitle() const;
    bool IsRoot() const { return m_bRoot; }
    bool Exists() const { return m_bExists; }
    // Facts of the path last probed with CheckPath.
    bool IsFolder() const { return m_found.bIsFolder; }
    bool IsReadOnly() const { return IsReadOnlyEntry(m_found); }
    const SEntryFacts& GetFound() const { return m_found; }

    // The rename planner. Replays the renames of every folder in row order on a picture
    // of that folder (its listing) and marks each row whose new path is taken at its
    // turn, by an existing file not yet renamed away or by an earlier row of the run, by
    // replacing its old path with "". A row naming the same old path as an earlier row is
    // marked too: one file is renamed once. newPaths and oldPaths hold one element per row.
    // A row whose file is not found takes part in no replay (the preview reports it as
    // missing), and neither does a row whose new path is its old one: that file stays put.
    // Rows of a folder that cannot be listed are flagged in pUnlisted (one
    // element per row, when given). Linear in the rows plus the folders' entries. A caller
    // that located the rows already (LocateRows of the old paths) passes what it found in
    // pWhere; otherwise the planner locates them itself.
    void PlanRenames(const std::vector<std::string>& newPaths, std::vector<std::string>& oldPaths,
                     std::vector<bool>* pUnlisted = nullptr, const SRowFolders* pWhere = nullptr);
    // The planner's picture of a folder (a path ending in "/"): every entry of it, "." and
    // ".." included. False, with an empty picture, when the folder cannot be read.
    bool LoadFolderListing(const std::string& folder);
    // Full paths: false, changing nothing, when the picture holds newPath; otherwise
    // replaces oldPath (when present) by newPath and returns true.
    bool RenameInListing(const std::string& newPath, const std::string& oldPath);
    void ClearListing();
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
    uint32_t m_dwSize = 0;
    uint64_t m_nSize = 0;  // the full size; m_dwSize keeps its low 32 bits for the file format
    CTextField m_strModified;
    int64_t m_timeModified = 0;
    bool m_bRoot = false;
    bool m_bExists = false;
    // The planner's picture of the folder it replays.
    CFolderPicture m_listFolder;

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
        m_dwSize = other.m_dwSize;
        m_nSize = other.m_nSize;
        m_strModified = std::forward<Source>(other).m_strModified;
        m_timeModified = other.m_timeModified;
    }
    bool SameFileFields(const CFileFacts& other) const;

private:
    bool Probe(const std::string& path, SPathFacts& facts);

    SEntryFacts m_found;
};

// The extension of a name: from its last "." to the end, dot included; "" without a dot.
std::string ExtensionOf(const std::string& name);
// The name without its extension.
std::string TitleOf(const std::string& name);
// The "%i/%i/%i %i:%i" text of a time in local time.
std::string ModifiedText(int64_t seconds);
