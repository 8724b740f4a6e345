#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "cli/TagRun.h"
#include "files/FileAdder.h"
#include "model/GenreTable.h"
#include "model/HitDoc.h"
#include "model/RecordText.h"
#include "model/TagEditing.h"
#include "mp3/NameTagConversion.h"
#include "mp3/TagFile.h"
#include "platform/PathFacts.h"

namespace {

// The tag options of the tag command, by MP3 column.
struct STagOption {
    const char* pszOption;
    int nColumn;
};

constexpr STagOption kTagOptions[] = {
    {"title", kColTitle}, {"artist", kColArtist}, {"album", kColAlbum},
    {"year", kColYear},   {"genre", kColGenre},   {"comment", kColComment},
};

// A year and a genre are taken only when the tag can hold them; an empty value clears.
bool CheckTagValues(const CCliArgs& args) {
    if (args.Has("year") && !args.Value("year").empty()) {
        long year = LeadingNumber(args.Value("year"));
        if (year < 1 || year > 9999 || std::to_string(year) != args.Value("year"))
            return ReportError("--year " + args.Value("year"), "a year is 1 to 9999") == 0;
    }
    if (args.Has("genre") && !args.Value("genre").empty() && GenreFromName(args.Value("genre")) < 0)
        return ReportError("--genre " + args.Value("genre"),
                           "no such genre; the names are those of the ID3v1 genre table") == 0;
    return true;
}

void SetSeparator(const CCliArgs& args, CCliPrompts& prompts) {
    prompts.m_separator.strSeparator = args.Value("separator", " - ");
    prompts.m_separator.bArtistFirst = !args.Has("title-first");
}

}  // namespace

int RunTags(const CCliArgs& args) {
    CCliPrompts prompts;
    CRecordText records(args.Has("zero") ? ERecordFormat::Nul : ERecordFormat::Lines);
    int status = 0;
    for (const std::string& path : args.Positional()) {
        CHitDoc entry;
        entry.m_strPath.Set(path);
        prompts.SetSubject(path);
        // Most files have a tag: only a file without one is looked at more closely.
        if (!ReadEntryTag(entry, &prompts)) {
            struct stat st;
            int problem = stat(path.c_str(), &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
            if (problem != 0) {
                status = ReportError(path, std::strerror(problem));
                continue;
            }
        }
        for (const std::string& field :
             {path, entry.m_strTitle.Get(), entry.m_strArtist.Get(), entry.m_strAlbum.Get(),
              entry.GetYearText(), entry.GetGenreText(), entry.m_strComment.Get()})
            records.Field(field);
        records.EndRecord();
        std::string& text = records.Text();
        std::fwrite(text.data(), 1, text.size(), stdout);
        text.clear();
    }
    return prompts.m_nErrors == 0 ? status : 1;
}

int RunTag(const CCliArgs& args) {
    if (!CheckTagValues(args))
        return 1;
    CCliList list;
    CTesselSession& session = list.Session();
    session.SetMp3Columns();
    int status = 0;
    CFileAdder adder(session);
    for (const std::string& path : args.Positional()) {
        SPathFacts facts;
        if (!QueryPath(path, facts) || facts.bIsFolder)
            status = ReportError(path, std::strerror(facts.bExists ? EISDIR : ENOENT));
        else if (!IsMp3Extension(ExtensionOf(facts.strName)))
            status = ReportError(path, "not an .mp3 file");
        else
            adder.Add(path);
    }
    for (int row = 0; row < session.List().GetCount(); ++row)
        for (const STagOption& option : kTagOptions)
            if (args.Has(option.pszOption))
                SetTagValue(session, row, option.nColumn, args.Value(option.pszOption));
    int saved = SaveTags(list, args.Has("dry-run"));
    return status != 0 ? status : saved;
}

int RunNameToTag(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    SetSeparator(args, list.Prompts());
    return RunOnTags(list, args, [](CTesselSession& session) { FilenameToId3(session); });
}

int RunTagToName(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    if (!list.Session().AllMp3())
        return ReportError(list.Path(), "ID3 to Filename needs every row to be an .mp3 file");
    SetSeparator(args, list.Prompts());
    Id3ToFilename(list.Session());
    return list.SaveIfChanged() ? 0 : 1;
}
