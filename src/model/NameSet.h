#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// A set of names for the rename planner's picture of a folder, which holds every name of
// a folder and changes one name per row of a run: the names are kept in large blocks and
// found through one flat table, so adding, finding and removing a name allocate nothing
// in the common case.
class CNameSet {
public:
    void Reserve(size_t names);
    bool Contains(std::string_view name) const;
    // False when the name is held already.
    bool Insert(std::string_view name);
    // Many names at once: Keep copies each into the set's storage, and InsertKept then
    // adds it without another copy (after one Reserve for all, say).
    std::string_view Keep(std::string_view name);
    bool InsertKept(std::string_view kept);
    // False when the name was not held.
    bool Erase(std::string_view name);
    size_t size() const { return m_nCount; }

private:
    struct SSlot {
        const char* pName = nullptr;  // nullptr: never used; kErased: used, now free
        uint32_t nHash = 0;           // the low half of the name's hash
        uint32_t nLength = 0;
    };
    static const char* const kErased;

    size_t Find(std::string_view name, size_t hash) const;  // the slot index, or npos
    void Rehash(size_t slots);

    std::vector<SSlot> m_slots;  // a power of two in size
    size_t m_nCount = 0;
    size_t m_nUsed = 0;  // slots holding a name or once holding one
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_nBlockFree = 0;
    char* m_pBlockEnd = nullptr;
};
