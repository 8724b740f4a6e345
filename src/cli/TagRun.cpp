// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TagRun.h"

#include <vector>

#include "cli/ExitCodes.h"
#include "cli/TagChanges.h"
#include "files/ListKey.h"
#include "files/TagWriteRun.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "mp3/Mp3Mode.h"
#include "mp3/TagTextLoss.h"

namespace {

// A dry run: each row whose tag would change, with its fields before and after and the
// verdict of the preview Save ID3 would show.
int PrintTagPreview(CCliList& list) {
    const CRenameList& rows = list.Session().List();
    std::shared_ptr<CResultsList> preview = SaveId3Preview(rows, true);
    for (int row = 0; row < rows.GetCount(); ++row) {
        const CHitDoc& entry = rows.GetEntry(row);
        if (entry.IsTagChanged())
            PrintTagChanges(entry.m_strPath.Get(), entry, preview->Code(static_cast<size_t>(row)));
    }
    return kExitOk;
}

// The rows whose tag, changed, loses characters when written.
std::vector<int> RowsLosingText(const CRenameList& rows) {
    std::vector<int> losing;
    for (int row = 0; row < rows.GetCount(); ++row) {
        const CHitDoc& entry = rows.GetEntry(row);
        if (entry.IsTagChanged() && !FindTagTextLoss(entry.Tag()).empty())
            losing.push_back(row);
    }
    return losing;
}

}  // namespace

bool EnterMp3Mode(CCliList& list, const SCliInput& input, FieldChoice& fields) {
    fields = input.fields;
    CTesselSession& session = list.Session();
    SId3EditorOptions options = ReadEditorOptions(session.Profile());
    options.bAddId3v2 = input.bAddId3v2;
    WriteEditorOptions(session.Profile(), options);
    if (!CanToggleMode(session))
        return ReportError(list.Path(), "MP3 mode needs every row to be an .mp3 file") == 0;
    ToggleMode(session);
    return true;
}

int SaveTags(CCliList& list, bool dryRun) {
    if (dryRun)
        return PrintTagPreview(list);
    CCliPrompts& prompts = list.Prompts();
    // The writes are a run of the list: undo puts the old tags back.
    CTagWriteRun run;
    std::string error;
    CListGuard& guard = list.Guard();
    if (!run.Start(guard.Folder(), guard.Key(), ListIdentityPath(list.Path()), error))
        return ReportError(list.Path(), error + "; no tag was written");
    CTesselSession& session = list.Session();
    session.SetTagWriteObserver(run.Observer());
    SCliListing listing;
    listing.bPrintPreview = false;
    prompts.SetListing(listing);
    int errorsBefore = prompts.Errors();
    std::vector<int> losing = RowsLosingText(session.List());
    // No preview is printed: the writes alone judge the files.
    SaveID3(session, EAnswer::Yes, false);
    session.SetTagWriteObserver(nullptr);
    std::string journalError = run.Finish();
    if (!journalError.empty())
        return ReportError("", journalError);
    // A tag written counts as saved: its row no longer counts as changed.
    bool lost = false;
    for (int row : losing) {
        const CHitDoc& entry = session.List().GetEntry(row);
        if (!entry.IsTagChanged())
            lost = ReportTextLoss(entry.m_strPath.Get(), entry) || lost;
    }
    if (prompts.FailedResults() != 0 || prompts.Errors() != errorsBefore)
        return kExitError;
    return lost ? kExitTagTextLost : kExitOk;
}
