#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A set of paths whose strings live elsewhere (in the rows' entries): it keeps each
// path's hash and a pointer to it, so adding a path costs no allocation and one probe of
// a flat table. The strings must stay in place and unchanged while the index is used.
class CPathIndex {
public:
    // Makes room for that many paths in all.
    void Reserve(size_t count);
    // False when an equal path (byte for byte) is held already; otherwise holds this one.
    bool Insert(const std::string& path) { return Insert(path, HashOf(path)); }
    // The same with the path's hash as HashOf gave it.
    bool Insert(const std::string& path, size_t hash);
    static size_t HashOf(std::string_view path);
    // Starts loading the slot where a path with this hash goes, so that its Insert a
    // little later (after a file system call, say) finds the slot in the cache.
    void Prefetch(size_t hash) const;
    size_t GetCount() const { return m_nCount; }

private:
    struct SSlot {
        size_t nHash = 0;
        const std::string* pPath = nullptr;
    };
    void Rehash(size_t slots);

    std::vector<SSlot> m_slots;  // a power of two in size, at most half full
    size_t m_nCount = 0;
};
