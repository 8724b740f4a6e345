#include "cli/TagRun.h"

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
    SCliListing listing;
    listing.bDryRun = dryRun;
    listing.bPrintPreview = dryRun;
    listing.bPrintResults = !dryRun;
    prompts.SetListing(listing);
    int errorsBefore = prompts.Errors();
    // Only a dry run prints the preview; otherwise the writes alone judge the files.
    SaveID3(list.Session(), EAnswer::Yes, dryRun);
    return prompts.FailedResults() == 0 && prompts.Errors() == errorsBefore ? 0 : 1;
}
