#include "files/GoRun.h"

#include <cstring>
#include <utility>

#include "files/GoCommand.h"
#include "model/Prompts.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"

namespace {

// The record of a renamed row, as the entry stood before, and the entry under its new
// path and name. The old path and name move into the record rather than being copied.
std::unique_ptr<CHitDoc> TakeRenamedRecord(CHitDoc& entry, std::string newPath) {
    auto record = std::make_unique<CHitDoc>();
    CTextField oldPath = std::exchange(entry.m_strPath, CTextField());
    CTextField oldName = std::exchange(entry.m_strName, CTextField());
    *record = entry;
    record->m_strPath = std::move(oldPath);
    record->m_strName = std::move(oldName);
    entry.m_strPath.Set(std::move(newPath));
    entry.m_strName.Set(entry.GetNewFileName());
    return record;
}

}  // namespace

CGoRun::CGoRun(CTesselSession& session, CResultsList& results, SRunPaths& paths,
               EOnFailure onFailure)
    : m_session(session),
      m_results(results),
      m_paths(paths),
      m_nRows(paths.oldPaths.size()),
      m_onFailure(onFailure),
      m_renamer(paths.oldPaths, paths.newPaths, paths.files, session.GetRunObserver()) {
    m_session.Prompts().BeginProgress(static_cast<int>(m_nRows));
    if (m_nRows > 0)
        m_renamer.Start(0);
}

void CGoRun::Cancel() {
    m_bCancelled = true;
    m_renamer.Cancel();
}

bool CGoRun::Poll(std::chrono::milliseconds wait) {
    if (m_bEnded)
        return true;
    CRowRenamer::SProgress progress = m_renamer.Wait(static_cast<int>(m_nRow), wait);
    while (m_nRow < static_cast<size_t>(progress.nSettled) &&
           static_cast<int>(m_nRow) != progress.nFailed)
        TakeRenamed(m_nRow++);
    if (!progress.bEnded)
        return false;
    if (progress.nFailed < 0)
        return End(kResultCancelled);  // every row was reached, or the run was cancelled
    m_session.Prompts().SetProgress(static_cast<int>(m_nRow));
    Record(m_nRow, kResultUnexpected);
    m_results.SetSystemError(m_results.GetCount() - 1, progress.nError);
    ++m_nRow;
    if (m_bCancelled)
        return End(kResultCancelled);
    if (!GoOnAfterFailure(progress.nError)) {
        // The rows after it were never tried: nothing failed there.
        m_bStopped = true;
        return End(kResultCancelled);
    }
    if (m_nRow == m_nRows)
        return End(kResultOk);
    m_renamer.Start(static_cast<int>(m_nRow));
    return false;
}

bool CGoRun::GoOnAfterFailure(int error) {
    if (m_onFailure != EOnFailure::Ask)
        return m_onFailure == EOnFailure::Continue;
    IPrompts& prompts = m_session.Prompts();
    prompts.ShowProgress(false);
    // The question names the file and the system's reason, so the answer is an informed one.
    std::string question =
        *m_paths.oldPaths[m_nRow - 1] + ": " + std::strerror(error) + "\n\n" + kContinueQuestion;
    EAnswer answer =
        prompts.Message(EMessageId::ContinueAfterFailure, question, EIcon::None, EButtons::YesNo);
    prompts.ShowProgress(true);
    return answer == EAnswer::Yes;
}

bool CGoRun::IsUnchanged(size_t row) const {
    return *m_paths.oldPaths[row] == m_paths.newPaths[row];
}

bool CGoRun::End(int code) {
    for (; m_nRow < m_nRows; ++m_nRow)
        Record(m_nRow, IsUnchanged(m_nRow) ? kResultUnchanged : code);
    m_session.Prompts().EndProgress();
    m_bEnded = true;
    return true;
}

void CGoRun::Record(size_t row, int code, std::unique_ptr<CHitDoc> made) {
    if (!made)
        made = std::make_unique<CHitDoc>(m_session.List().GetEntry(static_cast<int>(row)));
    m_results.AddResult(std::move(made), code);
}

void CGoRun::TakeRenamed(size_t row) {
    m_session.Prompts().SetProgressFile(static_cast<int>(row), *m_paths.oldPaths[row]);
    if (IsUnchanged(row)) {
        Record(row, kResultUnchanged);
        return;
    }
    CRenameList& list = m_session.List();
    CHitDoc& entry = list.GetEntry(static_cast<int>(row));
    Record(row, kResultOk, TakeRenamedRecord(entry, std::string(m_paths.newPaths[row])));
    list.RefreshRow(static_cast<int>(row));
}
