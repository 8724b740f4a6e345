#include "files/UndoCommand.h"

#include "model/Prompts.h"
#include "model/TesselSession.h"
#include "platform/FileRename.h"
#include "platform/PathFacts.h"

namespace {

bool Exists(const std::string& path) {
    SPathFacts facts;
    return !path.empty() && QueryPath(path, facts);
}

// Puts one row of a rename run back; false when its file could not be renamed back.
bool UndoRenamedRow(CRenameList& list, const CHitDoc& before) {
    CHitDoc& entry = list.GetEntry(before.m_nTag);
    const std::string& oldPath = before.m_strPath.Get();
    std::string runPath = before.GetNewPath();
    bool notMoved = entry.m_strPath == before.m_strPath || (Exists(oldPath) && !Exists(runPath));
    if (!notMoved && !RenameFile(runPath, oldPath))
        return false;
    entry = before;
    list.RefreshRow(before.m_nTag);
    return true;
}

void UndoRenameRun(CTesselSession& session) {
    CUndoRecord* record = session.UndoHistory().Top();
    CRenameList& list = session.List();
    bool failed = false;
    for (size_t i = 0; i < record->GetCount(); ++i) {
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
