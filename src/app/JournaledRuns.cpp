#include "app/JournaledRuns.h"

#include <QApplication>

#include "files/GoCommand.h"
#include "files/ListGuard.h"
#include "files/RunJournal.h"
#include "files/UndoCommand.h"
#include "model/Prompts.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "platform/PathFacts.h"

namespace {

// Whether the journal records the run of this undo step: each of its renames is that of
// the row's entry as the step holds it (a run's step holds one entry per row).
bool RecordsThisRun(const SJournalContents& contents, const CUndoRecord& step) {
    for (const SRunRename& rename : contents.renames) {
        if (rename.nRow >= step.GetCount())
            return false;
        const CHitDoc& before = step.At(rename.nRow);
        if (rename.strFrom != before.m_strPath.Get() || rename.strTo != before.GetNewPath())
            return false;
    }
    return !contents.renames.empty();
}

// Takes the list's lock, telling the user why not when another process holds it for
// more than a moment.
bool TakeGuard(CListGuard& guard, const std::string& listPath, IPrompts& prompts) {
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool taken = guard.Take(listPath, error);
    QApplication::restoreOverrideCursor();
    if (!taken)
        prompts.Message(EMessageId::ListInUse, error, EIcon::Stop, EButtons::Ok);
    return taken;
}

// Runs work with the saved list's lock held and its journal at hand; nothing runs when
// another process holds the lock (the user is told).
template <class Work>
void WithJournal(const CTesselDoc& doc, IPrompts& prompts, Work&& work) {
    std::string listPath = AbsolutePath(doc.GetPath());
    CListGuard guard;
    if (!TakeGuard(guard, listPath, prompts))
        return;
    CRunJournal journal(guard.Folder(), listPath);
    work(journal);
}

}  // namespace

CJournaledRuns::CJournaledRuns(CTesselSession& session, CTesselDoc& doc)
    : m_session(session), m_doc(doc) {}

void CJournaledRuns::Go() {
    if (m_doc.GetPath().empty()) {
        ::Go(m_session);
        return;
    }
    WithJournal(m_doc, m_session.Prompts(), [this](CRunJournal& journal) {
        m_session.SetRunObserver(&journal);
        ::Go(m_session);
        m_session.SetRunObserver(nullptr);
        if (!journal.Error().empty())
            m_session.Prompts().Message(EMessageId::JournalProblem, journal.Error(),
                                        EIcon::Warning, EButtons::Ok);
    });
}

void CJournaledRuns::Undo() {
    if (m_doc.GetPath().empty() || m_session.UndoHistory().TopKind() != kUndoRenameRun) {
        ::Undo(m_session);
        return;
    }
    WithJournal(m_doc, m_session.Prompts(), [this](CRunJournal& journal) {
        // Read before the files go back: only the journal of this very run may go with it.
        SJournalContents contents;
        std::string error;
        bool ours = journal.Read(contents, error) &&
                    RecordsThisRun(contents, *m_session.UndoHistory().Top());
        size_t steps = m_session.UndoHistory().GetCount();
        ::Undo(m_session);
        if (ours && m_session.UndoHistory().GetCount() + 1 == steps)
            journal.Replace(SJournalContents{}, error);
    });
}
