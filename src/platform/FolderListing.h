// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <dirent.h>

#include <cstring>
#include <string>
#include <string_view>

// Calls visit(std::string_view name) for every entry of a folder, "." and ".." excluded,
// in the order the file system returns them, without keeping the names. False when the
// folder cannot be read.
template <class Visit>
bool VisitFolder(const std::string& folder, Visit&& visit) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return false;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            visit(std::string_view(entry->d_name));
    }
    closedir(dir);
    return true;
}

// Whether VisitFolder could read the folder.
inline bool CanListFolder(const std::string& folder) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return false;
    closedir(dir);
    return true;
}
