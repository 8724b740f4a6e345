#include "mp3/Mp3Mode.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/ChunkedJob.h"
#include "model/ListObserver.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/TagEditing.h"
#include "model/TesselSession.h"
#include "mp3/DeferredTag.h"
#include "mp3/TagFile.h"
#include "platform/FolderCache.h"
#include "platform/ParallelParts.h"
#include "platform/WriteAccess.h"

namespace {

void TitlesChanged(CTesselSession& session) {
    if (IListObserver* observer = session.List().GetObserver())
        observer->TitlesChanged();
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

// A list may name one file twice. Its tag is written once, from the first changed row
// naming it: each later changed row is refused, its file being taken by that row, so no
// file is written twice (nor by two threads at once).
void MarkFilesNamedTwice(const CRenameList& list, std::vector<int>& codes) {
    std::unordered_set<std::string_view> named;
    for (size_t row = 0; row < codes.size(); ++row) {
        const CHitDoc& entry = list.GetEntry(static_cast<int>(row));
        if (entry.IsTagChanged() && !named.insert(entry.m_strPath.Get()).second)
            codes[row] = kResultExists;
    }
}

// The tags of a chunk of rows, read on a thread of their own while the caller's thread
// brings the chunk before into the entries.
constexpr size_t kRowsPerReadChunk = 512;

// Into MP3 mode with every tag read into its row; a missing file, or one without a tag,
// leaves the row's fields as they are. After a cancel the list goes back to normal mode
// (the tags read so far stay in their entries, as the files hold them): false.
bool EnterMp3Mode(CTesselSession& session) {
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    size_t rows = static_cast<size_t>(list.GetCount());
    struct SRead {
        bool bRead = false;
        bool bError = false;
        std::string title, artist, album, year, comment;
        int genre = -1;
    };
    std::vector<SRead> reads(rows);
    auto read = [&](size_t first, size_t last) {
        CDeferredTag tag;
        for (size_t row = first; row < last; ++row) {
            SRead& one = reads[row];
            tag.m_bErrorPending = false;
            one.bRead = tag.ReadTag(list.GetEntry(static_cast<int>(row)).m_strPath.Get());
            one.bError = tag.m_bErrorPending;
            if (one.bRead) {
                one.title = std::move(tag.m_strTitle);
                one.artist = std::move(tag.m_strArtist);
                one.album = std::move(tag.m_strAlbum);
                one.year = std::move(tag.m_strYear);
                one.comment = std::move(tag.m_strComment);
                one.genre = tag.m_nGenre;
            }
        }
    };
    auto takeIn = [&](size_t first, size_t last) {
        for (size_t row = first; row < last; ++row) {
            const SRead& one = reads[row];
            prompts.SetProgress(static_cast<int>(row));
            if (one.bError)
                CGuardedFile(&prompts).ReportError();
            if (one.bRead)
                list.GetEntry(static_cast<int>(row))
                    .SetFromTag(one.title, one.artist, one.album, one.year, one.comment, one.genre);
            list.RefreshRow(static_cast<int>(row));
        }
    };
    bool cancelled = false;
    auto end = [&](size_t taken) { cancelled = taken < rows; };
    prompts.BeginProgress(list.GetCount());
    session.SetMp3Columns();
    CChunkedJob job(rows, kRowsPerReadChunk, read, takeIn, end);
    RunToEnd(job, prompts);
    prompts.EndProgress();
    if (cancelled)
        session.SetNormalColumns();
    return !cancelled;
}

// Rows are written in chunks on a thread of their own, each chunk in parallel parts; the
// caller's thread commits the written tags, shows any error and moves the progress bar
// chunk by chunk.
constexpr size_t kRowsPerChunk = 2048;

// Writes every changed tag and shows the results. The preview's records become the
// results: writing a tag changes no field a record holds, only the codes differ. The
// writing thread only reads entries, and the caller's thread touches only rows already
// written, so the list may be shown meanwhile. After a cancel the tags not written keep
// counting as changed.
void WriteChangedTags(CTesselSession& session, CResultsList& results) {
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    size_t rows = static_cast<size_t>(list.GetCount());
    results.m_strTitle = "Results";
    results.m_bResultsMode = true;
    struct SWrite {
        int code = kResultUnchanged;
        bool bError = false;
    };
    std::vector<SWrite> writes(rows);
    auto write = [&](size_t chunkFirst, size_t chunkLast) {
        ForEachPart(chunkLast - chunkFirst, [&](size_t, size_t first, size_t last) {
            CDeferredTag tag;
            // Folders are opened afresh for the writes: the preview may have stood open.
            CFolderCache folders;
            for (size_t row = chunkFirst + first; row < chunkFirst + last; ++row) {
                const CHitDoc& entry = list.GetEntry(static_cast<int>(row));
                if (!entry.IsTagChanged())
                    continue;
                if (results.Code(row) == kResultExists) {
                    writes[row].code = kResultExists;
                    continue;
                }
                tag.m_bErrorPending = false;
                tag.FillFrom(entry);
                writes[row].code = WriteVerdict(tag, entry, folders);
                writes[row].bError = tag.m_bErrorPending;
            }
        });
    };
    auto takeIn = [&](size_t first, size_t last) {
        for (size_t row = first; row < last; ++row) {
            prompts.SetProgress(static_cast<int>(row));
            if (writes[row].bError)
                CGuardedFile(&prompts).ReportError();
            if (writes[row].code == kResultOk)
                list.GetEntry(static_cast<int>(row)).CommitTag();
            results.SetCode(row, writes[row].code);
        }
    };
    auto end = [&](size_t taken) {
        for (size_t row = taken; row < rows; ++row)
            if (list.GetEntry(static_cast<int>(row)).IsTagChanged())
                results.SetCode(row, kResultCancelled);
    };
    prompts.BeginProgress(list.GetCount());
    CChunkedJob job(rows, kRowsPerChunk, write, takeIn, end);
    RunToEnd(job, prompts);
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
    } else if (!EnterMp3Mode(session)) {
        return;
    }
    session.UndoHistory().Clear();
}

EAnswer SaveID3(CTesselSession& session) {
    if (!AnyTagChanged(session.List()))
        return EAnswer::Yes;
    return SaveID3(session, session.Prompts().Message(EMessageId::SaveTagChanges, kSaveTagsQuestion,
                                                      EIcon::Question, EButtons::YesNoCancel));
}

EAnswer SaveID3(CTesselSession& session, EAnswer answer, bool showPreview) {
    CRenameList& list = session.List();
    if (!AnyTagChanged(list))
        return EAnswer::Yes;
    if (answer != EAnswer::Yes)
        return answer;
    CResultsList preview;
    preview.m_strTitle = "Preview";
    preview.m_bBlock = false;
    // Each row's probe is made in parallel parts; the preview shows the rows themselves.
    size_t rows = static_cast<size_t>(list.GetCount());
    std::vector<int> codes(rows);
    ForEachPart(rows, [&](size_t, size_t first, size_t last) {
        CFolderCache folders;
        for (size_t i = first; i < last; ++i) {
            const CHitDoc& entry = list.GetEntry(static_cast<int>(i));
            bool changed = entry.IsTagChanged();
            int code = changed && !showPreview ? kResultOk : FileVerdict(entry, folders);
            if (code == kResultOk && !changed)
                code = kResultUnchanged;
            codes[i] = code;
        }
    });
    MarkFilesNamedTwice(list, codes);
    preview.ShowRows(list, std::move(codes));
    // Cancel here is the user's Cancel: closing or switching stops, the edits stay.
    if (showPreview && !session.Prompts().ShowResults(preview))
        return EAnswer::Cancel;
    WriteChangedTags(session, preview);
    return EAnswer::Yes;
}

void ToggleLock(CTesselSession& session, int column) {
    if (column < kColTitle || column > kColComment)
        return;
    bool& lock = session.m_locks[static_cast<size_t>(column - 1)];
    lock = !lock;
    SId3EditorOptions options = ReadEditorOptions(session.Profile());
    options.lock[static_cast<size_t>(column - 1)] = lock;
    WriteEditorOptions(session.Profile(), options);
    TitlesChanged(session);
}

void LockCommand(CTesselSession& session) {
    if (RunOptionsSheet(session, EOptionsPage::Id3Editor) && session.IsMp3Mode())
        TitlesChanged(session);
}
