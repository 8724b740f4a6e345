#include "cli/TagRun.h"

#include "files/ListKey.h"
#include "files/TagWriteRun.h"
#include "mp3/Mp3Mode.h"

bool EnterMp3Mode(CCliList& list, const SCliInput& input, FieldChoice& fields) {
    fields = input.fields;
    CTesselSession& session = list.Session();
    if (!CanToggleMode(session))
        return ReportError(list.Path(), "MP3 mode needs every row to be an .mp3 file") == 0;
    ToggleMode(session);
    return true;
}

int SaveTags(CCliList& list, bool dryRun) {
    CCliPrompts& prompts = list.Prompts();
    // The writes are a run of the list: undo puts the old tags back.
    CTagWriteRun run;
    if (!dryRun) {
        std::string error;
        CListGuard& guard = list.Guard();
        if (!run.Start(guard.Folder(), guard.Key(), ListIdentityPath(list.Path()), error))
            return ReportError(list.Path(), error + "; no tag was written");
        list.Session().SetTagWriteObserver(run.Observer());
    }
    SCliListing listing;
    listing.bDryRun = dryRun;
    listing.bPrintPreview = dryRun;
    listing.bPrintResults = !dryRun;
    prompts.SetListing(listing);
    int errorsBefore = prompts.Errors();
    // Only a dry run prints the preview; otherwise the writes alone judge the files.
    SaveID3(list.Session(), EAnswer::Yes, dryRun);
    list.Session().SetTagWriteObserver(nullptr);
    std::string journalError = run.Finish();
    if (!journalError.empty())
        return ReportError("", journalError);
    return prompts.FailedResults() == 0 && prompts.Errors() == errorsBefore ? 0 : 1;
}
