// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/MoveRow.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "model/TesselSession.h"

bool MoveRow(CTesselSession& session, int draggedRow, int dropRow) {
    CRenameList& list = session.List();
    int count = list.GetCount();
    if (draggedRow < 0 || draggedRow >= count || dropRow < 0 || dropRow > count ||
        dropRow == draggedRow || dropRow == draggedRow + 1)
        return false;
    session.EndEditing();
    session.TakeSnapshot();
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    // Rotating the stretch between the two places moves the dragged row and shifts the
    // rows in between by one.
    auto dragged = order.begin() + draggedRow;
    auto drop = order.begin() + dropRow;
    if (dropRow < draggedRow)
        std::rotate(drop, dragged, dragged + 1);
    else
        std::rotate(dragged, dragged + 1, drop);
    list.Reorder(order);
    session.CommitSnapshot(kUndoEdit);
    return true;
}
