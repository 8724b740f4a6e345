// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it
// (read-only parts included) when the object goes.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    // The full path of a name inside the folder.
    std::string operator/(const std::string& name) const { return m_strPath + "/" + name; }
    // Creates a file (and its folders) holding the given bytes; returns its full path.
    std::string WriteFile(const std::string& name, const std::string& bytes = "") const;
    std::string MakeFolder(const std::string& name) const;

private:
    std::string m_strPath;
};

std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::string& folder);
