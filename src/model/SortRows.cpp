// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SortRows.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "model/NaturalCollation.h"
#include "model/Profile.h"
#include "model/TesselSession.h"

namespace {

enum class EKey { None, Text, Unsigned, Signed };

// Which field a column of a mode sorts by.
struct SSortField {
    EKey kind = EKey::None;
    const CTextField& (*text)(const CHitDoc&) = nullptr;
};

SSortField FieldOf(EMode mode, int column) {
    if (mode == EMode::Normal) {
        switch (column) {
            case 0:
                return {EKey::Text,
                        [](const CHitDoc& e) -> const CTextField& { return e.m_strNewName; }};
            case 1:
                return {EKey::Text,
                        [](const CHitDoc& e) -> const CTextField& { return e.m_strName; }};
            case 2:
                return {EKey::Text,
                        [](const CHitDoc& e) -> const CTextField& { return e.m_strExt; }};
            case 3:
                return {EKey::Unsigned};
            case 4:
                return {EKey::Signed};
            case 5:
                return {EKey::Text,
                        [](const CHitDoc& e) -> const CTextField& { return e.m_strPath; }};
            default:
                return {};
        }
    }
    switch (column) {
        case 0:
            return {EKey::Text, [](const CHitDoc& e) -> const CTextField& { return e.m_strName; }};
        case 1:
            return {EKey::Text, [](const CHitDoc& e) -> const CTextField& { return e.Title(); }};
        case 2:
            return {EKey::Text, [](const CHitDoc& e) -> const CTextField& { return e.Artist(); }};
        case 3:
            return {EKey::Text, [](const CHitDoc& e) -> const CTextField& { return e.Album(); }};
        case 4:
        case 5:
            return {EKey::Signed};
        case 6:
            return {EKey::Text, [](const CHitDoc& e) -> const CTextField& { return e.Comment(); }};
        default:
            return {};
    }
}

void AppendFolded(std::string_view text, std::string& keys) {
    for (char c : text)
        keys += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A stable order of the rows by precomputed keys; a string_view compares its bytes as
// unsigned values, which is the order wanted for the folded texts and collation keys.
template <class Key>
std::vector<int> OrderByKeys(const std::vector<Key>& keys, bool ascending) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    if (ascending)
        std::stable_sort(order.begin(), order.end(),
                         [&keys](int a, int b) { return keys[a] < keys[b]; });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&keys](int a, int b) { return keys[b] < keys[a]; });
    return order;
}

// The order of a text column: every row's key computed once, all of them end to end in one
// buffer (a row costs no allocation of its own).
template <class AppendKey>
std::vector<int> TextOrder(const CRenameList& list, const SSortField& field, bool ascending,
                           AppendKey appendKey) {
    size_t count = static_cast<size_t>(list.GetCount());
    std::string bytes;
    std::vector<size_t> ends(count);
    for (size_t row = 0; row < count; ++row) {
        appendKey(field.text(list.GetEntry(static_cast<int>(row))).Get(), bytes);
        ends[row] = bytes.size();
    }
    std::vector<std::string_view> keys(count);
    for (size_t row = 0, begin = 0; row < count; begin = ends[row++])
        keys[row] = std::string_view(bytes).substr(begin, ends[row] - begin);
    return OrderByKeys(keys, ascending);
}

std::vector<int> SortedOrder(const CRenameList& list, int column, bool ascending,
                             ETextOrder textOrder) {
    SSortField field = FieldOf(list.GetMode(), column);
    size_t count = static_cast<size_t>(list.GetCount());
    switch (field.kind) {
        case EKey::Text: {
            if (textOrder == ETextOrder::Folded)
                return TextOrder(list, field, ascending, AppendFolded);
            CNaturalCollation collation;
            return TextOrder(list, field, ascending,
                             [&collation](std::string_view text, std::string& keys) {
                                 collation.AppendKey(text, keys);
                             });
        }
        case EKey::Unsigned: {
            std::vector<uint64_t> keys(count);
            for (size_t row = 0; row < count; ++row)
                keys[row] = list.GetEntry(static_cast<int>(row)).m_nSize;
            return OrderByKeys(keys, ascending);
        }
        case EKey::Signed: {
            std::vector<int64_t> keys(count);
            for (size_t row = 0; row < count; ++row) {
                const CHitDoc& entry = list.GetEntry(static_cast<int>(row));
                keys[row] = list.GetMode() == EMode::Normal ? entry.m_timeModified
                            : column == 4                   ? entry.Year()
                                                            : entry.Genre();
            }
            return OrderByKeys(keys, ascending);
        }
        case EKey::None:
            break;
    }
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

}  // namespace

bool SortRows(CTesselSession& session, int column, bool ascending, ETextOrder textOrder) {
    session.EndEditing();
    CRenameList& list = session.List();
    std::vector<int> order = SortedOrder(list, column, ascending, textOrder);
    bool moved = false;
    for (size_t i = 0; i < order.size() && !moved; ++i)
        moved = order[i] != static_cast<int>(i);
    // The undo step is taken from the order, not from a snapshot of every row: on a long
    // list the copies and comparisons of a snapshot cost more than the sort itself.
    if (moved && list.Reorder(order))
        session.CommitReorder(order);
    return moved;
}

bool SortByColumn(CTesselSession& session, int column) {
    if (column < 0 || column >= static_cast<int>(session.m_sortFlags.size()))
        return false;
    bool& flag = session.m_sortFlags[static_cast<size_t>(column)];
    flag = !flag;
    return SortRows(session, column, flag,
                    session.m_bNaturalOrder ? ETextOrder::Natural : ETextOrder::Folded);
}

void ToggleNaturalOrder(CTesselSession& session) {
    session.m_bNaturalOrder = !session.m_bNaturalOrder;
    session.Profile().WriteInt(kNaturalOrderSection, kNaturalOrderKey,
                               session.m_bNaturalOrder ? 1 : 0);
}
