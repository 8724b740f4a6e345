#include "files/UndoCommand.h"

#include "model/TesselSession.h"

void Undo(CTesselSession& session) {
    session.EndEditing();
    if (!session.CanUndo())
        return;
    if (session.UndoHistory().TopKind() == kUndoEdit)
        session.UndoEditRecord();
}
