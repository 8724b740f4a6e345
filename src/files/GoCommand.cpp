// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/GoCommand.h"

#include "files/GoRun.h"
#include "files/LocateRows.h"
#include "files/RenamePlanner.h"
#include "model/ChunkedJob.h"

#include "model/Prompts.h"
#include "model/ResultsList.h"
#include "model/RunObserver.h"
#include "model/TesselSession.h"
#include "platform/FileRename.h"
#include "platform/NameRules.h"
#include "platform/PathFacts.h"

namespace {

// The rights and naming rules of the folder last asked about: rows mostly come folder by
// folder.
class CFolderRightsCache {
public:
    const SFolderRights& For(const std::string& folder) {
        if (!m_bValid || folder != m_strFolder) {
            m_strFolder = folder;
            m_rights = QueryFolderRights(folder);
            m_bReservedRefused = RefusesReservedChars(folder);
            m_bValid = true;
        }
        return m_rights;
    }
    // Whether the folder last given to For refuses the characters Windows reserves.
    bool ReservedRefused() const { return m_bReservedRefused; }

private:
    bool m_bValid = false;
    std::string m_strFolder;
    SFolderRights m_rights;
    bool m_bReservedRefused = false;
};

// A row's verdict but for the planner's: whether its new name stays taken is known once
// the rows that do not move are.
int PreviewCode(const CHitDoc& entry, const std::string& oldPath, std::string_view newPath,
                const SRowFacts& facts, const std::string& folder, CFolderRightsCache& rights) {
    if (folder.empty())
        return kResultNotFound;
    // Byte for byte: a name that differs only in letter case is a real rename.
    if (newPath == oldPath)
        return kResultUnchanged;
    const SFolderRights& folderRights = rights.For(folder);
    if (!MayRenameEntry(facts, folderRights))
        return kResultReadOnly;
    // A name the file system refuses outright (empty, or longer than its limit) is judged
    // here, where the run can still be stopped, rather than failing halfway through it.
    size_t newNameSize = entry.m_strNewName.GetLength() + entry.m_strExt.GetLength();
    if (CFileFacts::HasIllegalChar(entry, rights.ReservedRefused()) || newNameSize == 0)
        return kResultIllegalChar;
    if (newNameSize > static_cast<size_t>(folderRights.nNameMax))
        return kResultNameTooLong;
    return kResultOk;
}

// Each row's path and new path as the entries hold them: the new paths are written one
// after another into one buffer rather than each into a string of its own.
SRunPaths RunPathsOf(const CRenameList& list) {
    size_t rows = static_cast<size_t>(list.GetCount());
    SRunPaths paths;
    paths.oldPaths.resize(rows);
    size_t bytes = 0;
    for (size_t row = 0; row < rows; ++row) {
        const CHitDoc& entry = list.GetEntry(static_cast<int>(row));
        bytes += entry.GetFolderPart().size() + entry.m_strNewName.GetLength() +
                 entry.m_strExt.GetLength();
    }
    paths.newPathBytes.resize(bytes);
    paths.newPaths.resize(rows);
    char* out = paths.newPathBytes.data();
    for (size_t row = 0; row < rows; ++row) {
        const CHitDoc& entry = list.GetEntry(static_cast<int>(row));
        paths.oldPaths[row] = &entry.m_strPath.Get();
        char* start = out;
        for (std::string_view part :
             {entry.GetFolderPart(), std::string_view(entry.m_strNewName.Get()),
              std::string_view(entry.m_strExt.Get())})
            out = std::copy(part.begin(), part.end(), out);
        paths.newPaths[row] = std::string_view(start, static_cast<size_t>(out - start));
    }
    return paths;
}

// Each row's verdict, whether its file was found, and each row's paths, worked out from
// the entries without changing them, so that it can run while a window shows the list.
struct SPreview {
    std::vector<int> codes;
    std::vector<bool> found;
    SRunPaths paths;
};

void ComputePreview(const CRenameList& list, SPreview& preview) {
    size_t rows = static_cast<size_t>(list.GetCount());
    SRunPaths& paths = preview.paths;
    paths = RunPathsOf(list);
    const std::vector<std::string_view>& newPaths = paths.newPaths;
    const RowPathList& oldPaths = paths.oldPaths;
    // One probe of each file answers both the planner (where the file is) and the
    // verdict (whether it may be renamed).
    std::vector<SRowFacts> facts;
    SRowFolders where = LocateRows(oldPaths, &facts);
    preview.codes.resize(rows);
    preview.found.resize(rows);
    paths.files.resize(rows);
    CFolderRightsCache rights;
    static const std::string kNoFolder;
    std::vector<bool> stays(rows);
    for (size_t row = 0; row < rows; ++row) {
        int folder = where.folderOf[row];
        preview.found[row] = folder >= 0;
        paths.files[row] = facts[row].id;
        const std::string& folderPath =
            folder >= 0 ? where.folders[static_cast<size_t>(folder)] : kNoFolder;
        preview.codes[row] = PreviewCode(list.GetEntry(static_cast<int>(row)), *oldPaths[row],
                                         newPaths[row], facts[row], folderPath, rights);
        stays[row] = preview.codes[row] != kResultOk;
    }
    CRenamePlanner planner;
    std::vector<bool> unlisted;
    SRenamePlan plan = planner.PlanRenames(newPaths, oldPaths, &unlisted, &where, &stays);
    for (size_t row = 0; row < rows; ++row) {
        if (plan.marked[row])
            preview.codes[row] = kResultExists;
        else if (unlisted[row])
            preview.codes[row] = kResultNotFound;
    }
    paths.bPlanned = true;
    paths.steps = std::move(plan.steps);
    paths.temporaries = std::move(plan.temporaries);
    paths.routes = std::move(plan.routes);
}

}  // namespace

void RenameRows(CTesselSession& session, CResultsList& results, SRunPaths* paths,
                EOnFailure onFailure) {
    size_t rows = static_cast<size_t>(session.List().GetCount());
    SRunPaths ownPaths;
    if (paths == nullptr || paths->oldPaths.size() != rows || paths->newPaths.size() != rows) {
        ownPaths = RunPathsOf(session.List());
        paths = &ownPaths;
    }
    CGoRun run(session, results, *paths, onFailure);
    RunToEnd(run, session.Prompts());
}

std::unique_ptr<IJob> PreviewJob(CTesselSession& session, CResultsList& preview,
                                 SRunPaths* pPaths) {
    CRenameList& list = session.List();
    auto computed = std::make_shared<SPreview>();
    // Worked out on a thread of its own: the caller's thread stays free for its window.
    return std::make_unique<CChunkedJob>(
        1, 1, [&list, computed](size_t, size_t) { ComputePreview(list, *computed); },
        [](size_t, size_t) {},
        [&list, &preview, pPaths, computed](size_t) {
            for (size_t row = 0; row < computed->found.size(); ++row)
                list.GetEntry(static_cast<int>(row)).m_bExists = computed->found[row];
            preview.ShowRows(list, std::move(computed->codes));
            const std::vector<ERoute>& routes = computed->paths.routes;
            for (size_t row = 0; row < routes.size(); ++row)
                if (preview.Code(row) == kResultOk)
                    preview.SetNote(row, RouteNote(routes[row]));
            if (pPaths != nullptr)
                *pPaths = std::move(computed->paths);
        });
}

void FillPreview(CTesselSession& session, CResultsList& preview, SRunPaths* pPaths) {
    std::unique_ptr<IJob> job = PreviewJob(session, preview, pPaths);
    RunToEnd(*job, session.Prompts());
}

void ApplyExtensionChoice(CRenameList& list, const SExtensionChoice& choice) {
    if (!choice.bKeep)
        for (int row = 0; row < list.GetCount(); ++row)
            list.GetEntry(row).m_strExt.Set(choice.strExtension);
}

std::string RouteNote(ERoute route) {
    switch (route) {
        case ERoute::Swap:
            return kSwapNote;
        case ERoute::ThroughTemporary:
            return kTemporaryNote;
        default:
            return {};
    }
}

bool IsValidExtension(const std::string& text) {
    return text.empty() || text.find('.') != std::string::npos;
}

bool CheckExtensionChoice(IPrompts& prompts, const SExtensionChoice& choice) {
    if (IsValidExtension(choice.strExtension))
        return true;
    prompts.Message(EMessageId::InvalidExtension, kInvalidExtensionMessage, EIcon::None,
                    EButtons::Ok);
    return false;
}
