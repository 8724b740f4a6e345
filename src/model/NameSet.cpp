#include "model/NameSet.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr size_t npos = static_cast<size_t>(-1);

size_t HashOf(std::string_view name) {
    return std::hash<std::string_view>{}(name);
}

}  // namespace

namespace {
const char kErasedMark = 0;
const char kEmptyName = 0;
}  // namespace

const char* const CNameSet::kErased = &kErasedMark;

void CNameSet::Reserve(size_t names) {
    size_t slots = 16;
    while (slots < names * 2)
        slots *= 2;
    if (slots > m_slots.size())
        Rehash(slots);
}

size_t CNameSet::Find(std::string_view name, size_t hash) const {
    if (m_slots.empty())
        return npos;
    size_t mask = m_slots.size() - 1;
    for (size_t i = static_cast<uint32_t>(hash) & mask;; i = (i + 1) & mask) {
        const SSlot& slot = m_slots[i];
        if (slot.pName == nullptr)
            return npos;
        if (slot.pName != kErased && slot.nHash == static_cast<uint32_t>(hash) &&
            std::string_view(slot.pName, slot.nLength) == name)
            return i;
    }
}

bool CNameSet::Contains(std::string_view name) const {
    return Find(name, HashOf(name)) != npos;
}

std::string_view CNameSet::Keep(std::string_view name) {
    if (name.empty())
        return std::string_view(&kEmptyName, 0);
    if (name.size() > m_nBlockFree) {
        size_t size = std::max(kBlockSize, name.size());
        m_blocks.push_back(std::make_unique<char[]>(size));
        m_pBlockEnd = m_blocks.back().get();
        m_nBlockFree = size;
    }
    char* kept = m_pBlockEnd;
    std::memcpy(kept, name.data(), name.size());
    m_pBlockEnd += name.size();
    m_nBlockFree -= name.size();
    return std::string_view(kept, name.size());
}

bool CNameSet::Insert(std::string_view name) {
    return !Contains(name) && InsertKept(Keep(name));
}

bool CNameSet::InsertKept(std::string_view kept) {
    size_t hash = HashOf(kept);
    if (Find(kept, hash) != npos)
        return false;
    if ((m_nUsed + 1) * 2 > m_slots.size())
        Rehash(std::bit_ceil(std::max<size_t>(16, (m_nCount + 1) * 4)));
    size_t mask = m_slots.size() - 1;
    size_t i = static_cast<uint32_t>(hash) & mask;
    while (m_slots[i].pName != nullptr && m_slots[i].pName != kErased)
        i = (i + 1) & mask;
    if (m_slots[i].pName == nullptr)
        ++m_nUsed;
    m_slots[i] =
        SSlot{kept.data(), static_cast<uint32_t>(hash), static_cast<uint32_t>(kept.size())};
    ++m_nCount;
    return true;
}

bool CNameSet::Erase(std::string_view name) {
    size_t i = Find(name, HashOf(name));
    if (i == npos)
        return false;
    // The name's bytes stay in their block: a run erases about as many names as it adds.
    m_slots[i].pName = kErased;
    --m_nCount;
    return true;
}

void CNameSet::Rehash(size_t slots) {
    std::vector<SSlot> old = std::move(m_slots);
    m_slots.assign(slots, SSlot{});
    m_nUsed = 0;
    size_t mask = slots - 1;
    for (const SSlot& slot : old) {
        if (slot.pName == nullptr || slot.pName == kErased)
            continue;
        size_t i = slot.nHash & mask;
        while (m_slots[i].pName != nullptr)
            i = (i + 1) & mask;
        m_slots[i] = slot;
        ++m_nUsed;
    }
}
