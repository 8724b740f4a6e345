#include "cli/TagRun.h"

#include "mp3/Mp3Mode.h"

namespace {

constexpr const char* kFieldNames[4] = {"title", "artist", "album", "comment"};

bool ParseFields(const std::string& text, std::array<bool, 4>& fields) {
    fields = {};
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string name = text.substr(start, comma == std::string::npos ? comma : comma - start);
        bool known = false;
        for (size_t i = 0; i < 4; ++i)
            if (name == kFieldNames[i])
                fields[i] = known = true;
        if (!known)
            return false;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return true;
}

}  // namespace

bool EnterMp3Mode(CCliList& list, const CCliArgs& args, FieldChoice& fields) {
    fields = {true, true, true, true};
    if (args.Has("fields") && !ParseFields(args.Value("fields"), fields))
        return ReportError("--fields " + args.Value("fields"),
                           "choose from title, artist, album and comment, separated by commas") ==
               0;
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
