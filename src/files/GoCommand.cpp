#include "files/GoCommand.h"

#include "model/Prompts.h"
#include "model/ResultsList.h"
#include "model/RunObserver.h"
#include "model/TesselSession.h"
#include "platform/FileRename.h"

namespace {

// The rights of the folder last asked about: rows mostly come folder by folder.
class CFolderRightsCache {
public:
    const SFolderRights& For(const std::string& folder) {
        if (!m_bValid || folder != m_strFolder) {
            m_strFolder = folder;
            m_rights = QueryFolderRights(folder);
            m_bValid = true;
        }
        return m_rights;
    }

private:
    bool m_bValid = false;
    std::string m_strFolder;
    SFolderRights m_rights;
};

int PreviewCode(CHitDoc& entry, const std::string& plannedOldPath, bool unlisted,
                CFolderRightsCache& rights) {
    if (plannedOldPath.empty())
        return kResultExists;
    if (!entry.CheckPath(entry.m_strPath.Get()) || unlisted)
        return kResultNotFound;
    std::string folder = entry.GetFolder();
    const SFolderRights& folderRights = rights.For(folder);
    if (!MayRenameEntry(entry.m_strPath.Get(), folderRights))
        return kResultReadOnly;
    // A name the file system refuses outright (empty, or longer than its limit) is judged
    // here, where the run can still be stopped, rather than failing halfway through it.
    std::string newName = entry.GetNewFileName();
    if (CFileFacts::HasIllegalChar(entry) || newName.empty() ||
        newName.size() > static_cast<size_t>(folderRights.nNameMax))
        return kResultIllegalChar;
    return kResultOk;
}

}  // namespace

void RenameRows(CTesselSession& session, CResultsList& results) {
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    IRunObserver* observer = session.GetRunObserver();
    int rows = list.GetCount();
    prompts.BeginProgress(rows);
    for (int row = 0; row < rows; ++row) {
        prompts.SetProgress(row);
        CHitDoc& entry = list.GetEntry(row);
        std::string newPath = entry.GetNewPath();
        if (RenameFile(entry.m_strPath.Get(), newPath)) {
            results.AddResult(entry, kResultOk);
            // Before the next rename is tried, so that a record of this one is kept
            // even when the process dies during the next.
            if (observer != nullptr)
                observer->FileRenamed(row, entry.m_strPath.Get(), newPath);
            entry.m_strPath.Set(std::move(newPath));
            entry.m_strName.Set(entry.GetNewFileName());
            list.RefreshRow(row);
            continue;
        }
        results.AddResult(entry, kResultUnexpected);
        prompts.ShowProgress(false);
        EAnswer answer = prompts.Message(kContinueQuestion, EIcon::None, EButtons::YesNo);
        prompts.ShowProgress(true);
        if (answer != EAnswer::Yes) {
            for (int later = row + 1; later < rows; ++later)
                results.AddResult(list.GetEntry(later), kResultUnexpected);
            break;
        }
    }
    prompts.EndProgress();
}

void FillPreview(CTesselSession& session, CResultsList& preview) {
    CRenameList& list = session.List();
    size_t rows = static_cast<size_t>(list.GetCount());
    std::vector<std::string> newPaths;
    std::vector<std::string> oldPaths;
    newPaths.reserve(rows);
    oldPaths.reserve(rows);
    for (int row = 0; row < list.GetCount(); ++row) {
        const CHitDoc& entry = list.GetEntry(row);
        newPaths.push_back(entry.GetNewPath());
        oldPaths.push_back(entry.m_strPath.Get());
    }
    CFileFacts work;
    std::vector<bool> unlisted;
    work.PlanRenames(newPaths, oldPaths, &unlisted);
    CFolderRightsCache rights;
    for (int row = 0; row < list.GetCount(); ++row) {
        CHitDoc& entry = list.GetEntry(row);
        size_t i = static_cast<size_t>(row);
        preview.AddResult(entry, PreviewCode(entry, oldPaths[i], unlisted[i], rights));
    }
}

EGoOutcome Go(CTesselSession& session) {
    IPrompts& prompts = session.Prompts();
    SExtensionChoice choice;
    if (!prompts.ChooseExtension(choice))
        return EGoOutcome::Cancelled;
    CRenameList& list = session.List();
    if (!choice.bKeep)
        for (int row = 0; row < list.GetCount(); ++row)
            list.GetEntry(row).m_strExt.Set(choice.strExtension);

    CResultsList preview;
    preview.m_strTitle = "Preview";
    FillPreview(session, preview);
    if (!prompts.ShowResults(preview) || !preview.CanConfirm())
        return EGoOutcome::Refused;
    // A front end that keeps its own record of the run may refuse to start without it.
    IRunObserver* observer = session.GetRunObserver();
    if (observer != nullptr && !observer->RunStarting(list.GetCount()))
        return EGoOutcome::Refused;

    session.TakeSnapshot();
    CResultsList results;
    results.m_strTitle = "Results";
    results.m_bResultsMode = true;
    RenameRows(session, results);
    if (observer != nullptr)
        observer->RunFinished();
    prompts.ShowResults(results);
    session.CommitSnapshot(kUndoRenameRun);
    session.RecomputeAllMp3();
    return EGoOutcome::Ran;
}
