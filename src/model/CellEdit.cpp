// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CellEdit.h"

#include "model/TagEditing.h"
#include "model/TesselSession.h"

namespace {

std::string WithoutLeadingSpace(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n\v\f");
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

bool CommitCellEdit(CTesselSession& session, int row, int column, const std::string& text) {
    if (text == kNoChangeMark || row < 0 || row >= session.List().GetCount())
        return false;
    std::string value = WithoutLeadingSpace(text);
    bool taken = false;
    if (!session.IsMp3Mode()) {
        // One row changes: only that row is copied for the undo step, so an edit costs
        // the same in a list of any length.
        session.TakePartialSnapshot();
        session.KeepRow(row);
        if (!value.empty()) {
            session.List().GetEntry(row).m_strNewName.Set(value);
            session.List().RefreshRow(row);
            taken = true;
        }
    } else if (column >= kColTitle && column <= kColComment) {
        // A locked column passes the value on to other rows too.
        session.TakeSnapshot();
        ApplyToLockedColumn(session, value, column);
        SetTagValue(session, row, column, value);
        taken = true;
    }
    session.CommitSnapshot(kUndoEdit);
    return taken;
}
