#include "mp3/Mp3Mode.h"

#include <algorithm>
#include <vector>

#include "model/ListObserver.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/TagEditing.h"
#include "model/TesselSession.h"
#include "mp3/ID3Tag.h"
#include "mp3/TagFile.h"
#include "platform/FolderCache.h"
#include "platform/ParallelParts.h"
#include "platform/WriteAccess.h"

namespace {

void TitlesChanged(CTesselSession& session) {
    if (IListObserver* observer = session.List().GetObserver())
        observer->TitlesChanged();
}

void EnterMp3Mode(CTesselSession& session) {
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    prompts.BeginProgress(list.GetCount());
    session.SetMp3Columns();
    for (int row = 0; row < list.GetCount(); ++row) {
        prompts.SetProgress(row);
        // A missing file simply fails to open: no tag, and the row keeps its fields.
        ReadEntryTag(list.GetEntry(row), &prompts);
        list.RefreshRow(row);
    }
    prompts.EndProgress();
}

bool AnyTagChanged(const CRenameList& list) {
    for (int row = 0; row < list.GetCount(); ++row)
        if (list.GetEntry(row).IsTagChanged())
            return true;
    return false;
}

// The verdict of a row before writing: whether its file can take the tag.
int FileVerdict(const CHitDoc& entry, CFolderCache& folders) {
    switch (QueryWriteAccess(entry.m_strPath.Get(), &folders)) {
        case EWriteAccess::Writable:
            return kResultOk;
        case EWriteAccess::NotFound:
            return kResultNotFound;
        case EWriteAccess::ReadOnly:
            return kResultReadOnly;
    }
    return kResultOk;
}

// Writes the tag and gives the row's code. The file is probed only when it would not
// open for writing, to tell a missing file from a read-only one.
int WriteVerdict(CID3Tag& tag, const CHitDoc& entry, CFolderCache& folders) {
    if (tag.WriteTag(entry.m_strPath.Get(), &folders))
        return kResultOk;
    int code = tag.GetOpenError() == 0 ? kResultOk : FileVerdict(entry, folders);
    return code == kResultOk ? kResultUnexpected : code;
}

// A tag written away from the main thread: an error it would report is kept, for the
// main thread to show in row order.
class CDeferredTag : public CID3Tag {
public:
    CDeferredTag() : CID3Tag(nullptr) {}
    void ReportError() override { m_bErrorPending = true; }
    bool m_bErrorPending = false;
};

// Rows are written in chunks, each spread over the cores; between chunks the main thread
// commits the written tags, shows any error and moves the progress bar.
constexpr size_t kRowsPerChunk = 4096;
constexpr size_t kRowsPerPart = 1024;

// Writes every changed tag and shows the results. The preview's records become the
// results: writing a tag changes no field a record holds, only the codes differ.
void WriteChangedTags(CTesselSession& session, CResultsList& results) {
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    size_t rows = static_cast<size_t>(list.GetCount());
    prompts.BeginProgress(list.GetCount());
    results.m_strTitle = "Results";
    results.m_bResultsMode = true;
    std::vector<int> codes;
    std::vector<char> errors;
    for (size_t chunk = 0; chunk < rows; chunk += kRowsPerChunk) {
        size_t count = std::min(kRowsPerChunk, rows - chunk);
        codes.assign(count, kResultUnchanged);
        errors.assign(count, 0);
        ForEachPart(count, kRowsPerPart, [&](size_t first, size_t last) {
            CDeferredTag tag;
            // Folders are opened afresh for the writes: the preview may have stood open.
            CFolderCache folders;
            for (size_t i = first; i < last; ++i) {
                const CHitDoc& entry = list.GetEntry(static_cast<int>(chunk + i));
                if (!entry.IsTagChanged())
                    continue;
                tag.m_bErrorPending = false;
                tag.FillFrom(entry);
                codes[i] = WriteVerdict(tag, entry, folders);
                errors[i] = tag.m_bErrorPending;
            }
        });
        for (size_t i = 0; i < count; ++i) {
            int row = static_cast<int>(chunk + i);
            prompts.SetProgress(row);
            if (errors[i])
                CGuardedFile(&prompts).ReportError();
            if (codes[i] == kResultOk)
                list.GetEntry(row).CommitTag();
            results.m_records.At(chunk + i).m_nTag = codes[i];
        }
    }
    prompts.EndProgress();
    prompts.ShowResults(results);
}

}  // namespace

bool CanToggleMode(const CTesselSession& session) {
    return session.IsMp3Mode() || session.AllMp3();
}

void ToggleMode(CTesselSession& session) {
    if (!CanToggleMode(session))
        return;
    session.EndEditing();
    if (session.IsMp3Mode()) {
        if (session.List().GetCount() > 0 && SaveID3(session) == EAnswer::Cancel)
            return;
        session.SetNormalColumns();
    } else {
        EnterMp3Mode(session);
    }
    session.UndoHistory().Clear();
}

EAnswer SaveID3(CTesselSession& session) {
    if (!AnyTagChanged(session.List()))
        return EAnswer::Yes;
    return SaveID3(session, session.Prompts().Message(EMessageId::SaveTagChanges, kSaveTagsQuestion,
                                                      EIcon::Question, EButtons::YesNoCancel));
}

EAnswer SaveID3(CTesselSession& session, EAnswer answer) {
    CRenameList& list = session.List();
    if (!AnyTagChanged(list))
        return EAnswer::Yes;
    if (answer != EAnswer::Yes)
        return answer;
    CResultsList preview;
    preview.m_strTitle = "Preview";
    preview.m_bBlock = false;
    // Each row's probe and record are made in parallel parts, then kept in row order.
    size_t rows = static_cast<size_t>(list.GetCount());
    std::vector<std::unique_ptr<CHitDoc>> records(rows);
    ForEachPart(rows, kRowsPerPart, [&](size_t first, size_t last) {
        CFolderCache folders;
        for (size_t i = first; i < last; ++i) {
            const CHitDoc& entry = list.GetEntry(static_cast<int>(i));
            int code = FileVerdict(entry, folders);
            if (code == kResultOk && !entry.IsTagChanged())
                code = kResultUnchanged;
            records[i] = std::make_unique<CHitDoc>(entry);
            records[i]->m_nTag = code;
        }
    });
    for (std::unique_ptr<CHitDoc>& record : records) {
        int code = record->m_nTag;
        preview.AddResult(std::move(record), code);
    }
    // Cancel here is the user's Cancel: closing or switching stops, the edits stay.
    if (!session.Prompts().ShowResults(preview))
        return EAnswer::Cancel;
    WriteChangedTags(session, preview);
    return EAnswer::Yes;
}

void ToggleLock(CTesselSession& session, int column) {
    if (column < kColTitle || column > kColComment)
        return;
    bool& lock = session.m_locks[static_cast<size_t>(column - 1)];
    lock = !lock;
    session.Profile().WriteInt("Lock", std::to_string(column), lock ? 1 : 0);
    TitlesChanged(session);
}

void LockCommand(CTesselSession& session) {
    if (RunOptionsSheet(session, EOptionsPage::Id3Editor) && session.IsMp3Mode())
        TitlesChanged(session);
}
