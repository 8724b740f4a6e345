// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "cli/CliInput.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/TagChanges.h"
#include "cli/TagRun.h"
#include "files/ListGuard.h"
#include "files/TagWriteRun.h"
#include "model/HitDoc.h"
#include "model/RecordText.h"
#include "model/ResultsList.h"
#include "model/TagEditing.h"
#include "mp3/DeferredTag.h"
#include "mp3/ID3Tag.h"
#include "mp3/NameTagConversion.h"
#include "mp3/TagFile.h"
#include "platform/ParallelParts.h"
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
        std::string track = tag.m_nTrack > 0 ? std::to_string(tag.m_nTrack) : "";
        for (const std::string& field :
             {path, entry.Title().Get(), entry.Artist().Get(), entry.Album().Get(),
              entry.GetYearText(), entry.GetGenreText(), entry.Comment().Get(), track})
            records.Field(field);
        records.EndRecord();
        std::string& text = records.Text();
        std::fwrite(text.data(), 1, text.size(), stdout);
        text.clear();
    }
    return prompts.Errors() == 0 ? status : 1;
}

namespace {

// One path given to tag: why it is no row, or its row and what the edit did.
struct STagTarget {
    std::string strProblem;  // empty for a row
    size_t nFirst;           // the index of the first path naming the same file
    CHitDoc entry;
    STagEdit edit;
    bool bErrorPending = false;
    int nPendingError = 0;
    std::string strNote;  // what became of the file's ID3v2 tag, when worth telling
};

// Why a path that is not an .mp3 file's is refused: the file's own fault comes first.
std::string NonMp3Problem(const std::string& path) {
    SPathFacts facts;
    if (!QueryPath(path, facts) || facts.bIsFolder)
        return std::strerror(facts.bExists ? EISDIR : ENOENT);
    return S_ISREG(facts.nMode) ? "not an .mp3 file" : "not a regular file";
}

std::string OpenProblem(int error) {
    if (error == EINVAL)
        return "not a regular file";
    return std::strerror(error == EISDIR ? EISDIR : ENOENT);
}

// The paths in order, each file once: a later path naming the same file points to the
// first. The checks that need no system call are made here.
std::vector<STagTarget> TargetsOf(const std::vector<std::string>& paths) {
    std::vector<STagTarget> targets(paths.size());
    std::unordered_map<std::string, size_t> firsts;
    // Relative paths are resolved against the current folder, asked for once.
    const std::string here = AbsolutePath(".");
    for (size_t i = 0; i < targets.size(); ++i) {
        const std::string& path = paths[i];
        STagTarget& target = targets[i];
        std::string absolute =
            path.empty() || path[0] == '/' ? AbsolutePath(path) : AbsolutePath(here + "/" + path);
        std::string name = absolute.substr(absolute.find_last_of('/') + 1);
        target.nFirst = firsts.try_emplace(absolute, i).first->second;
        if (absolute.empty() || absolute == "/" || !IsMp3Extension(ExtensionOf(name)))
            target.strProblem = NonMp3Problem(path);
        else if (target.nFirst == i)
            target.entry.FillFromFacts(std::move(absolute), SEntryFacts{});
    }
    return targets;
}

bool IsRow(const std::vector<STagTarget>& targets, size_t i) {
    return targets[i].strProblem.empty() && targets[i].nFirst == i;
}

// Each file is opened once, to read its tag and write the new one; the observer hears of
// each write before it is made.
void EditTargets(std::vector<STagTarget>& targets, const SCliInput& input,
                 ITagWriteObserver* observer) {
    ForEachPart(targets.size(), [&](size_t, size_t first, size_t last) {
        CDeferredTag tag;
        tag.SetWriteObserver(observer);
        tag.m_bAddId3v2 = input.bAddId3v2;
        for (size_t i = first; i < last; ++i) {
            if (!IsRow(targets, i))
                continue;
            STagTarget& target = targets[i];
            tag.m_bErrorPending = false;
            target.edit = EditEntryTag(target.entry, input.tagValues, input.bDryRun, tag);
            target.bErrorPending = tag.m_bErrorPending;
            target.nPendingError = tag.m_nPendingError;
            target.strNote = tag.Id3v2Note();
            if (target.edit.nOpenError != 0)
                target.strProblem = OpenProblem(target.edit.nOpenError);
        }
    });
}

// A dry run's lines: each file whose tag would change, with its fields before and after.
void PrintDryRun(const std::vector<STagTarget>& targets, const SCliInput& input,
                 CCliPrompts& prompts) {
    for (size_t i = 0; i < targets.size(); ++i) {
        if (!IsRow(targets, i))
            continue;
        const STagTarget& target = targets[i];
        if (target.bErrorPending)
            CGuardedFile(&prompts).ReportError(target.nPendingError);
        if (target.entry.IsTagChanged())
            PrintTagChanges(input.words[i], target.entry, target.edit.nCode);
    }
}

// The rows as Save ID3 shows its results, then a line for each field written that lost
// characters. True when some text was lost.
bool ShowWrites(const std::vector<STagTarget>& targets, const SCliInput& input,
                CCliPrompts& prompts) {
    CResultsList results;
    results.m_strTitle = "Results";
    results.m_bBlock = false;
    results.m_bTags = true;
    results.m_bResultsMode = true;
    for (size_t i = 0; i < targets.size(); ++i) {
        if (!IsRow(targets, i))
            continue;
        const STagTarget& target = targets[i];
        if (target.bErrorPending)
            CGuardedFile(&prompts).ReportError(target.nPendingError);
        // A run judges only the files it writes.
        bool unchanged = !target.entry.IsTagChanged();
        results.AddResult(target.entry, unchanged ? kResultUnchanged : target.edit.nCode);
        if (!unchanged)
            results.AddNote(results.GetCount() - 1, target.strNote);
    }
    SCliListing listing;
    listing.bPrintPreview = false;
    prompts.SetListing(listing);
    prompts.ShowResults(results);
    bool lost = false;
    for (size_t i = 0; i < targets.size(); ++i) {
        const STagTarget& target = targets[i];
        if (IsRow(targets, i) && target.entry.IsTagChanged() && target.edit.nCode == kResultOk)
            lost = ReportTextLoss(input.words[i], target.entry) || lost;
    }
    return lost;
}

// The paths that are no row first, then the rows: what a dry run would change, or the
// results of the writes. Returns the exit status.
int ShowTagResults(const std::vector<STagTarget>& targets, const SCliInput& input) {
    CCliPrompts prompts;
    int status = kExitOk;
    bool changed = false;
    for (size_t i = 0; i < targets.size(); ++i) {
        const std::string& problem = targets[targets[i].nFirst].strProblem;
        if (!problem.empty())
            status = ReportError(input.words[i], problem);
        else if (targets[i].nFirst == i)
            changed = changed || targets[i].entry.IsTagChanged();
    }
    // Like Save ID3, nothing is shown when no tag would change.
    if (!changed)
        return status;
    bool lost = false;
    if (input.bDryRun)
        PrintDryRun(targets, input, prompts);
    else
        lost = ShowWrites(targets, input, prompts);
    if (status != kExitOk || prompts.FailedResults() != 0 || prompts.Errors() != 0)
        return kExitError;
    return lost ? kExitTagTextLost : kExitOk;
}

}  // namespace

int RunTag(const SCliInput& input) {
    std::vector<STagTarget> targets = TargetsOf(input.words);
    if (input.bDryRun) {
        EditTargets(targets, input, nullptr);
        return ShowTagResults(targets, input);
    }
    // The writes are a run of the history of tags written without a list: undo --tags puts
    // them back.
    CListGuard guard;
    CTagWriteRun run;
    std::string error;
    if (!guard.TakeKey(kLooseTagsKey, error) ||
        !run.Start(guard.Folder(), kLooseTagsKey, "", error))
        return ReportError("", error + "; no tag was written");
    EditTargets(targets, input, run.Observer());
    int status = ShowTagResults(targets, input);
    std::string journalError = run.Finish();
    return journalError.empty() ? status : ReportError("", journalError);
}

int RunNameToTag(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList, true, !input.bDryRun))
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
