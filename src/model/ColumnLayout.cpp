// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ColumnLayout.h"

#include <charconv>

#include "model/Profile.h"
#include "model/TesselSession.h"

namespace {

constexpr const char* kColumns = "Columns";
constexpr const char* kSort = "Sort";

const char* ModeKey(EMode mode) {
    return mode == EMode::Mp3 ? "Mp3" : "Normal";
}

}  // namespace

std::vector<int> ReadColumnWidths(IProfile& profile, EMode mode, const std::vector<int>& defaults) {
    std::vector<int> widths = defaults;
    std::string stored = profile.GetString(kColumns, ModeKey(mode), "");
    size_t start = 0;
    for (size_t column = 0; column < widths.size() && start <= stored.size(); ++column) {
        size_t end = stored.find(',', start);
        if (end == std::string::npos)
            end = stored.size();
        int width = 0;
        auto [rest, error] = std::from_chars(stored.data() + start, stored.data() + end, width);
        if (error == std::errc() && rest == stored.data() + end && width > 0)
            widths[column] = width;
        start = end + 1;
    }
    return widths;
}

void WriteColumnWidths(IProfile& profile, EMode mode, const std::vector<int>& widths) {
    std::string stored;
    for (int width : widths) {
        if (!stored.empty())
            stored += ',';
        stored += std::to_string(width);
    }
    profile.WriteString(kColumns, ModeKey(mode), stored);
}

SLastSort RememberSort(CTesselSession& session, int column) {
    SLastSort sort{session.List().GetMode(), column, true};
    if (column < 0 || column >= session.List().GetColumnCount())
        return {};
    sort.bAscending = session.m_sortFlags[static_cast<size_t>(column)];
    int flags = 0;
    for (size_t i = 0; i < session.m_sortFlags.size(); ++i)
        if (session.m_sortFlags[i])
            flags |= 1 << i;
    IProfile& profile = session.Profile();
    profile.WriteInt(kSort, "Flags", flags);
    profile.WriteInt(kSort, "Mode", session.IsMp3Mode() ? 1 : 0);
    profile.WriteInt(kSort, "Column", column);
    profile.WriteInt(kSort, "Ascending", sort.bAscending ? 1 : 0);
    return sort;
}

SLastSort RestoreSort(CTesselSession& session) {
    IProfile& profile = session.Profile();
    int flags = profile.GetInt(kSort, "Flags", 0);
    for (size_t i = 0; i < session.m_sortFlags.size(); ++i)
        session.m_sortFlags[i] = (flags & (1 << i)) != 0;
    SLastSort last;
    last.mode = profile.GetInt(kSort, "Mode", 0) == 1 ? EMode::Mp3 : EMode::Normal;
    int columns = last.mode == EMode::Mp3 ? CRenameList::kMp3Columns : CRenameList::kNormalColumns;
    int column = profile.GetInt(kSort, "Column", -1);
    if (column >= 0 && column < columns) {
        last.nColumn = column;
        last.bAscending = profile.GetInt(kSort, "Ascending", 1) != 0;
    }
    return last;
}
