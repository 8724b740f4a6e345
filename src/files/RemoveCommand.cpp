// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RemoveCommand.h"

#include "model/TesselSession.h"

int Remove(CTesselSession& session) {
    session.EndEditing();
    int removed = session.List().RemoveSelected();
    session.RecomputeAllMp3();
    if (removed > 0)
        session.SetModified(true);
    session.UndoHistory().Clear();
    return removed;
}
