#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "cli/UndoJournal.h"
#include "files/GoCommand.h"
#include "model/ResultsList.h"
#include "platform/FileRename.h"
#include "platform/PathFacts.h"

namespace {

std::string BaseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string& path) {
    SPathFacts facts;
    return QueryPath(path, facts);
}

// Why a file could not be put back under its old name, in the results list's words.
void ReportUndoFailure(const SJournalRename& rename) {
    int error = errno;
    if (Exists(rename.strFrom))
        ReportError(rename.strFrom, ResultText(kResultExists));
    else if (!Exists(rename.strTo))
        ReportError(rename.strTo, ResultText(kResultNotFound));
    else
        ReportError(rename.strTo, std::strerror(error));
}

// A rename the journal announced but a killed run never made: the old name still names a
// file, and the new name names none or another one. Only the last record can be one.
bool NeverMade(const SJournalRename& rename) {
    struct stat from;
    struct stat to;
    if (lstat(rename.strFrom.c_str(), &from) != 0)
        return false;
    return lstat(rename.strTo.c_str(), &to) != 0 || from.st_dev != to.st_dev ||
           from.st_ino != to.st_ino;
}

bool SetUpGo(const CCliArgs& args, CCliPrompts& prompts) {
    if (args.Has("ext")) {
        std::string extension = args.Value("ext");
        if (!extension.empty() && extension.find('.') == std::string::npos)
            return ReportError("--ext " + extension, "Cannot rename to this invalid extension") ==
                   0;
        prompts.m_extension = extension;
    }
    std::string onError = args.Value("on-error", "stop");
    if (onError != "stop" && onError != "continue")
        return ReportError("--on-error", "must be stop or continue, not '" + onError + "'") == 0;
    prompts.m_questionAnswers[kContinueQuestion] =
        onError == "continue" ? EAnswer::Yes : EAnswer::No;
    prompts.m_bDryRun = args.Has("dry-run");
    if (args.Has("zero"))
        prompts.m_recordFormat = ERecordFormat::Nul;
    prompts.m_bConfirmed = args.Has("yes");
    prompts.m_bAskOnTerminal = true;
    // The preview is the listing; afterwards only the rows that failed are told, on stderr.
    prompts.m_bPrintResults = false;
    return true;
}

}  // namespace

int RunGo(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    CCliPrompts& prompts = list.Prompts();
    if (!SetUpGo(args, prompts))
        return 1;
    CTesselSession& session = list.Session();
    CUndoJournal journal(list.AbsolutePath());
    session.SetRunObserver(&journal);
    EGoOutcome outcome = Go(session);
    session.SetRunObserver(nullptr);
    // The list is saved while the journal's last sync runs.
    bool saved = outcome != EGoOutcome::Ran || list.SaveIfChanged();
    bool journalKept = journal.Error().empty();
    if (!journalKept)
        ReportError("", journal.Error());
    if (outcome != EGoOutcome::Ran) {
        if (prompts.m_bBlocked)
            return 2;
        if (prompts.m_bRefused)
            return ReportError(list.Path(), "nothing renamed: not confirmed (--yes confirms)");
        return journalKept ? 0 : 1;
    }
    ExitNow(saved && journalKept && prompts.m_nFailedResults == 0 ? 0 : 1);
}

int RunUndo(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    CUndoJournal journal(list.AbsolutePath());
    std::vector<SJournalRename> renames;
    std::string error;
    if (!journal.Read(renames, error))
        return ReportError(list.Path(), error);
    if (!renames.empty() && NeverMade(renames.back()))
        renames.pop_back();
    CRenameList& rows = list.Session().List();
    std::unordered_map<std::string, int> rowOfPath;
    for (int row = 0; row < rows.GetCount(); ++row)
        rowOfPath.emplace(rows.GetEntry(row).m_strPath.Get(), row);
    // Backwards, so that a name freed by a later rename of the run is free again first.
    std::vector<SJournalRename> left;
    for (auto rename = renames.rbegin(); rename != renames.rend(); ++rename) {
        if (!RenameFile(rename->strTo, rename->strFrom)) {
            ReportUndoFailure(*rename);
            left.push_back(*rename);
            continue;
        }
        auto row = rowOfPath.find(rename->strTo);
        if (row == rowOfPath.end())
            continue;
        CHitDoc& entry = rows.GetEntry(row->second);
        entry.m_strPath.Set(rename->strFrom);
        entry.m_strName.Set(BaseName(rename->strFrom));
        rows.RefreshRow(row->second);
    }
    std::reverse(left.begin(), left.end());
    int status = left.empty() ? 0 : 1;
    if (!journal.Replace(left, error))
        status = ReportError("", error);
    return list.SaveIfChanged() ? status : 1;
}
