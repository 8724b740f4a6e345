#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "cli/CliInput.h"
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

SSeparatorChoice SeparatorOf(const SCliInput& input) {
    return SSeparatorChoice{input.strSeparator, !input.bTitleFirst};
}

}  // namespace

int RunTags(const SCliInput& input) {
    CCliPrompts prompts;
    CRecordText records(input.bZero ? ERecordFormat::Nul : ERecordFormat::Lines);
    int status = 0;
    for (const std::string& path : input.words) {
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
             {path, entry.Title().Get(), entry.Artist().Get(), entry.Album().Get(),
              entry.GetYearText(), entry.GetGenreText(), entry.Comment().Get()})
            records.Field(field);
        records.EndRecord();
        std::string& text = records.Text();
        std::fwrite(text.data(), 1, text.size(), stdout);
        text.clear();
    }
    return prompts.Errors() == 0 ? status : 1;
}

int RunTag(const SCliInput& input) {
    CCliList list;
    CTesselSession& session = list.Session();
    session.SetMp3Columns();
    int status = 0;
    CFileAdder adder(session);
    for (const std::string& path : input.words) {
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
        for (const auto& [column, value] : input.tagValues)
            SetTagValue(session, row, column, value);
    int saved = SaveTags(list, input.bDryRun);
    return status != 0 ? status : saved;
}

int RunNameToTag(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    return RunOnTags(list, input, [&](CTesselSession& session, const FieldChoice&) {
        FilenameToId3(session, SeparatorOf(input));
    });
}

int RunTagToName(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    CTesselSession& session = list.Session();
    if (session.List().GetCount() > 0 && !Id3ToFilename(session, SeparatorOf(input)))
        return ReportError(list.Path(), "ID3 to Filename needs every row to be an .mp3 file");
    return list.SaveIfChanged() ? 0 : 1;
}
