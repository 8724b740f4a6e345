#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "cli/TagRun.h"
#include "files/FileAdder.h"
#include "model/HitDoc.h"
#include "model/RecordText.h"
#include "model/TagEditing.h"
#include "mp3/ID3Tag.h"
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
    if (args.Has("year") && !IsStorableTagValue(kColYear, args.Value("year")))
        return ReportError("--year " + args.Value("year"), "a year is 1 to 9999") == 0;
    if (args.Has("genre") && !IsStorableTagValue(kColGenre, args.Value("genre")))
        return ReportError("--genre " + args.Value("genre"),
                           "no such genre; the names are those of the ID3v1 genre table") == 0;
    return true;
}

SSeparatorChoice SeparatorOf(const CCliArgs& args) {
    return SSeparatorChoice{args.Value("separator", " - "), !args.Has("title-first")};
}

}  // namespace

int RunTags(const CCliArgs& args) {
    CCliPrompts prompts;
    CRecordText records(args.Has("zero") ? ERecordFormat::Nul : ERecordFormat::Lines);
    int status = 0;
    for (const std::string& path : args.Positional()) {
        CHitDoc entry;
        prompts.SetSubject(path);
        CID3Tag tag(&prompts);
        if (tag.ReadTag(path)) {
            entry.SetFromTag(tag.m_strTitle, tag.m_strArtist, tag.m_strAlbum, tag.m_strYear,
                             tag.m_strComment, tag.m_nGenre);
        } else if (int error = tag.GetOpenError()) {
            status =
                ReportError(path, error == EINVAL ? "not a regular file" : std::strerror(error));
            continue;
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
    return prompts.Errors() == 0 ? status : 1;
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
        else if (!S_ISREG(facts.nMode))
            status = ReportError(path, "not a regular file");
        else if (!IsMp3Extension(ExtensionOf(facts.strName)))
            status = ReportError(path, "not an .mp3 file");
        else
            adder.Add(SFoundFile{facts.strPath, facts});
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
    return RunOnTags(list, args, [&](CTesselSession& session, const FieldChoice&) {
        FilenameToId3(session, SeparatorOf(args));
    });
}

int RunTagToName(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    CTesselSession& session = list.Session();
    if (session.List().GetCount() > 0 && !Id3ToFilename(session, SeparatorOf(args)))
        return ReportError(list.Path(), "ID3 to Filename needs every row to be an .mp3 file");
    return list.SaveIfChanged() ? 0 : 1;
}
