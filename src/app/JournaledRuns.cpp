#include "app/JournaledRuns.h"

#include <QApplication>
#include <QMessageBox>

#include "files/GoCommand.h"
#include "files/ListGuard.h"
#include "files/RunJournal.h"
#include "files/UndoCommand.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "platform/PathFacts.h"
#include "view/DisplayText.h"

namespace {

bool SameRenames(const std::vector<SRunRename>& a, const std::vector<SRunRename>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].nRow != b[i].nRow || a[i].strFrom != b[i].strFrom || a[i].strTo != b[i].strTo)
            return false;
    return true;
}

void Tell(QMessageBox::Icon icon, const std::string& text) {
    QMessageBox box(icon, QStringLiteral("Tessel"), ToDisplay(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

// Takes the list's lock, telling the user why not when another process holds it for
// more than a moment.
bool TakeGuard(CListGuard& guard, const std::string& listPath) {
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool taken = guard.Take(listPath, error);
    QApplication::restoreOverrideCursor();
    if (!taken)
        Tell(QMessageBox::Critical, error);
    return taken;
}

}  // namespace

CJournaledRuns::CJournaledRuns(CTesselSession& session, CTesselDoc& doc)
    : m_session(session), m_doc(doc) {}

void CJournaledRuns::Go() {
    if (m_doc.GetPath().empty()) {
        ::Go(m_session);
        return;
    }
    std::string listPath = AbsolutePath(m_doc.GetPath());
    CListGuard guard;
    if (!TakeGuard(guard, listPath))
        return;
    CRunJournal journal(guard.Folder(), listPath);
    m_session.SetRunObserver(&journal);
    EGoOutcome outcome = ::Go(m_session);
    m_session.SetRunObserver(nullptr);
    if (!journal.Error().empty()) {
        Tell(QMessageBox::Warning, journal.Error());
        return;
    }
    if (outcome != EGoOutcome::Ran)
        return;
    m_lastRun.clear();
    m_strLastRunList.clear();
    SJournalContents contents;
    std::string error;
    if (journal.Read(contents, error)) {
        m_lastRun = std::move(contents.renames);
        m_strLastRunList = listPath;
    }
}

void CJournaledRuns::Undo() {
    if (m_doc.GetPath().empty() || m_session.UndoHistory().TopKind() != kUndoRenameRun) {
        ::Undo(m_session);
        return;
    }
    std::string listPath = AbsolutePath(m_doc.GetPath());
    CListGuard guard;
    if (!TakeGuard(guard, listPath))
        return;
    size_t steps = m_session.UndoHistory().GetCount();
    ::Undo(m_session);
    // Only a run put back whole, and only the journal this window wrote for it.
    if (m_session.UndoHistory().GetCount() + 1 != steps || listPath != m_strLastRunList)
        return;
    CRunJournal journal(guard.Folder(), listPath);
    SJournalContents contents;
    std::string error;
    if (journal.Read(contents, error) && SameRenames(contents.renames, m_lastRun))
        journal.Replace(SJournalContents{}, error);
    m_lastRun.clear();
    m_strLastRunList.clear();
}
