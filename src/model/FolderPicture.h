#pragma once

#include <cstddef>
#include <memory>
#include <string>

// The rename planner's picture of one folder: the names of its entries, searchable by
// name, and the whole paths put there that lie elsewhere. Its storage lives behind one
// pointer, so an entry that never plans (every row of a list) carries just that pointer.
// A copy starts empty.
class CFolderPicture {
public:
    CFolderPicture();
    ~CFolderPicture();
    CFolderPicture(const CFolderPicture&) : CFolderPicture() {}
    CFolderPicture& operator=(const CFolderPicture&) { return *this; }

    // Every entry of the folder (a path ending in "/"), "." and ".." included. False,
    // with an empty picture, when the folder cannot be read.
    bool Load(const std::string& folder);
    // Full paths: false, changing nothing, when the picture holds newPath; otherwise
    // replaces oldPath (when present) by newPath and returns true.
    bool Rename(const std::string& newPath, const std::string& oldPath);
    void Clear();
    bool empty() const { return size() == 0; }
    // The names held, those of the folder and the paths that lie elsewhere.
    size_t size() const;

private:
    struct SPicture;
    std::unique_ptr<SPicture> m_p;
};
