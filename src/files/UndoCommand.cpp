#include "files/UndoCommand.h"

#include "files/PutBack.h"
#include "model/Prompts.h"
#include "model/TesselSession.h"

namespace {

// Puts one row of a rename run back; false when its file could not be renamed back.
bool UndoRenamedRow(CRenameList& list, const CHitDoc& before) {
    CHitDoc& entry = list.GetEntry(before.m_nTag);
    // A row whose rename failed, or that the run never reached, still names its old path.
    if (entry.m_strPath != before.m_strPath) {
        SRunRename rename{static_cast<uint32_t>(before.m_nTag), before.m_strPath.Get(),
                          before.GetNewPath()};
        EPutBack outcome = PutBack(rename, false);
        if (outcome != EPutBack::Renamed && outcome != EPutBack::InPlace)
            return false;
    }
    entry = before;
    list.RefreshRow(before.m_nTag);
    return true;
}

// From the last row to the first, so that a name a later row took from an earlier one is
// free again by the time the earlier row wants it back.
void UndoRenameRun(CTesselSession& session) {
    CUndoRecord* record = session.UndoHistory().Top();
    CRenameList& list = session.List();
    bool failed = false;
    for (size_t i = record->GetCount(); i-- > 0;) {
        const CHitDoc& before = record->At(i);
        if (before.m_nTag < 0 || before.m_nTag >= list.GetCount())
            continue;
        if (!UndoRenamedRow(list, before))
            failed = true;
    }
    if (!failed) {
        session.UndoHistory().Pop();
        return;
    }
    session.Prompts().Message(EMessageId::CannotUndo, kCannotUndoMessage, EIcon::None,
                              EButtons::Ok);
    session.UndoHistory().Clear();
}

}  // namespace

void Undo(CTesselSession& session) {
    session.EndEditing();
    if (!session.CanUndo())
        return;
    if (session.UndoHistory().TopKind() == kUndoRenameRun)
        UndoRenameRun(session);
    else
        session.UndoEditRecord();
}
