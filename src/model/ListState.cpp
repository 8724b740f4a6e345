// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ListState.h"

#include "model/CountText.h"
#include "model/RenameList.h"
#include "model/TesselSession.h"

SListState ListStateOf(const CTesselSession& session) {
    const CRenameList& list = session.List();
    SListState state;
    state.nRows = static_cast<size_t>(list.GetCount());
    state.bMp3Mode = session.IsMp3Mode();
    for (int row = 0; row < list.GetCount(); ++row) {
        state.nSelected += list.IsSelected(row) ? 1 : 0;
        if (state.bMp3Mode && list.GetEntry(row).IsTagChanged())
            ++state.nUnsavedTags;
    }
    return state;
}

std::string ListStateText(const SListState& state) {
    std::string text = Counted(state.nRows, "row", "rows") + ", " +
                       GroupedNumber(state.nSelected) + " selected";
    if (state.bMp3Mode)
        text += ", " + Counted(state.nUnsavedTags, "tag", "tags") + " not saved";
    return text;
}
