// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/GoRun.h"

#include <cstring>
#include <utility>

#include "files/GoCommand.h"
#include "model/Prompts.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"

namespace {

constexpr int kPending = -1;

// The row-order steps of paths that were not planned: each row that changes, in turn.
void PlanInRowOrder(SRunPaths& paths) {
    paths.steps.clear();
    for (size_t row = 0; row < paths.oldPaths.size(); ++row)
        if (*paths.oldPaths[row] != paths.newPaths[row])
            paths.steps.push_back(SRenameStep{EStepKind::Rename, static_cast<int>(row), -1, -1});
    paths.bPlanned = true;
}

const std::vector<SRenameStep>& StepsOf(SRunPaths& paths) {
    if (!paths.bPlanned)
        PlanInRowOrder(paths);
    return paths.steps;
}

// The entry as it stood before its file moved; the old path and name move into the record
// rather than being copied.
std::unique_ptr<CHitDoc> TakeRecord(CHitDoc& entry) {
    auto record = std::make_unique<CHitDoc>();
    CTextField oldPath = std::exchange(entry.m_strPath, CTextField());
    CTextField oldName = std::exchange(entry.m_strName, CTextField());
    *record = entry;
    record->m_strPath = std::move(oldPath);
    record->m_strName = std::move(oldName);
    return record;
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

}  // namespace

CGoRun::CGoRun(CTesselSession& session, CResultsList& results, SRunPaths& paths,
               EOnFailure onFailure)
    : m_session(session),
      m_results(results),
      m_paths(paths),
      m_nRows(paths.oldPaths.size()),
      m_onFailure(onFailure),
      m_codes(m_nRows, kPending),
      m_before(m_nRows),
      m_errors(m_nRows, 0),
      m_renamer(paths.oldPaths, paths.newPaths, paths.files, StepsOf(paths), paths.temporaries,
                session.GetRunObserver()) {
    m_session.Prompts().BeginProgress(static_cast<int>(m_nRows));
    if (!m_paths.steps.empty())
        m_renamer.Start(0);
}

void CGoRun::Cancel() {
    m_bCancelled = true;
    m_renamer.Cancel();
}

bool CGoRun::Poll(std::chrono::milliseconds wait) {
    if (m_bEnded)
        return true;
    if (m_paths.steps.empty())
        return End(kResultCancelled);
    CRowRenamer::SProgress progress = m_renamer.Wait(static_cast<int>(m_nStep), wait);
    while (m_nStep < static_cast<size_t>(progress.nSettled) &&
           static_cast<int>(m_nStep) != progress.nFailed)
        TakeStep(m_paths.steps[m_nStep++]);
    m_session.Prompts().SetProgress(static_cast<int>(m_nRowsDone));
    if (!progress.bEnded)
        return false;
    if (progress.nFailed < 0)
        return End(kResultCancelled);  // every step was made, or the run was cancelled
    const SRenameStep& failed = m_paths.steps[m_nStep++];
    Failed(failed, progress.nError);
    if (m_bCancelled)
        return End(kResultCancelled);
    if (!GoOnAfterFailure(static_cast<size_t>(failed.nRow), progress.nError)) {
        // The steps after it were never tried: nothing failed there.
        m_bStopped = true;
        return End(kResultCancelled);
    }
    if (m_nStep == m_paths.steps.size())
        return End(kResultCancelled);
    m_renamer.Start(static_cast<int>(m_nStep));
    return false;
}

bool CGoRun::GoOnAfterFailure(size_t row, int error) {
    if (m_onFailure != EOnFailure::Ask)
        return m_onFailure == EOnFailure::Continue;
    IPrompts& prompts = m_session.Prompts();
    prompts.ShowProgress(false);
    // The question names the file and the system's reason, so the answer is an informed one.
    const std::string& path = *m_paths.oldPaths[row];
    std::string reason = std::strerror(error);
    std::string question = path + ": " + reason + "\n\n" + kContinueQuestion;
    EAnswer answer = prompts.MessageWithParts(EMessageId::ContinueAfterFailure, question,
                                              {path, reason}, EIcon::None, EButtons::YesNo);
    prompts.ShowProgress(true);
    return answer == EAnswer::Yes;
}

bool CGoRun::IsUnchanged(size_t row) const {
    return *m_paths.oldPaths[row] == m_paths.newPaths[row];
}

bool CGoRun::End(int code) {
    // The run is over: its renaming thread goes with it, even from a process that ends
    // without tearing its objects down.
    m_renamer.Finish();
    CRenameList& list = m_session.List();
    for (size_t row = 0; row < m_nRows; ++row) {
        int rowCode = m_codes[row];
        if (rowCode == kPending)
            rowCode = IsUnchanged(row) ? kResultUnchanged : code;
        std::unique_ptr<CHitDoc> record = std::move(m_before[row]);
        if (!record)
            record = std::make_unique<CHitDoc>(list.GetEntry(static_cast<int>(row)));
        m_results.AddResult(std::move(record), rowCode);
        size_t index = m_results.GetCount() - 1;
        if (m_errors[row] != 0)
            m_results.SetSystemError(index, m_errors[row]);
        else if (rowCode == kResultOk && row < m_paths.routes.size())
            m_results.SetNote(index, RouteNote(m_paths.routes[row]));
    }
    m_session.Prompts().EndProgress();
    m_bEnded = true;
    return true;
}

void CGoRun::Moved(size_t row, const std::string& path, bool arrived) {
    CRenameList& list = m_session.List();
    CHitDoc& entry = list.GetEntry(static_cast<int>(row));
    if (!m_before[row])
        m_before[row] = TakeRecord(entry);
    // The progress names the file by the path it had: the list's row is about to change.
    if (arrived)
        m_session.Prompts().SetProgressFile(static_cast<int>(m_nRowsDone + 1),
                                            m_before[row]->m_strPath.Get());
    entry.m_strPath.Set(path);
    entry.m_strName.Set(arrived ? entry.GetNewFileName() : NameOf(path));
    if (arrived) {
        m_codes[row] = kResultOk;
        ++m_nRowsDone;
    }
    list.RefreshRow(static_cast<int>(row));
}

void CGoRun::TakeStep(const SRenameStep& step) {
    size_t row = static_cast<size_t>(step.nRow);
    switch (step.kind) {
        case EStepKind::ToTemporary:
            Moved(row, m_paths.temporaries[static_cast<size_t>(step.nTemporary)], false);
            break;
        case EStepKind::FromTemporary:
            // Made only when the file went to its temporary name.
            if (m_codes[row] == kPending && m_before[row])
                Moved(row, std::string(m_paths.newPaths[row]), true);
            break;
        case EStepKind::Exchange:
            Moved(row, std::string(m_paths.newPaths[row]), true);
            Moved(static_cast<size_t>(step.nOther),
                  std::string(m_paths.newPaths[static_cast<size_t>(step.nOther)]), true);
            break;
        case EStepKind::Rename:
            Moved(row, std::string(m_paths.newPaths[row]), true);
            break;
    }
}

void CGoRun::Failed(const SRenameStep& step, int error) {
    for (int row : {step.nRow, step.kind == EStepKind::Exchange ? step.nOther : -1}) {
        if (row < 0)
            continue;
        m_codes[static_cast<size_t>(row)] = kResultUnexpected;
        m_errors[static_cast<size_t>(row)] = error;
        ++m_nRowsDone;
    }
}
