#include "files/PathIndex.h"

#include <functional>

void CPathIndex::Reserve(size_t count) {
    size_t slots = 16;
    while (slots < count * 2)
        slots *= 2;
    if (slots > m_slots.size())
        Rehash(slots);
}

size_t CPathIndex::HashOf(std::string_view path) {
    return std::hash<std::string_view>{}(path);
}

void CPathIndex::Prefetch(size_t hash) const {
    if (!m_slots.empty())
        __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
}

bool CPathIndex::Insert(const std::string& path, size_t hash) {
    if ((m_nCount + 1) * 2 > m_slots.size())
        Rehash(m_slots.empty() ? 16 : m_slots.size() * 2);
    size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        SSlot& slot = m_slots[i];
        if (slot.pPath == nullptr) {
            slot = SSlot{hash, &path};
            ++m_nCount;
            return true;
        }
        if (slot.nHash == hash && *slot.pPath == path)
            return false;
    }
}

void CPathIndex::Rehash(size_t slots) {
    std::vector<SSlot> old = std::move(m_slots);
    m_slots.assign(slots, SSlot{});
    size_t mask = slots - 1;
    for (const SSlot& slot : old) {
        if (slot.pPath == nullptr)
            continue;
        size_t i = slot.nHash & mask;
        while (m_slots[i].pPath != nullptr)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
