// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/Mp3Mode.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/ChunkedJob.h"
#include "model/ListObserver.h"
#include "model/Profile.h"
#include "model/ResultsList.h"
#include "model/StepJob.h"
#include "model/TagEditing.h"
#include "model/TesselSession.h"
#include "mp3/DeferredTag.h"
#include "mp3/TagFile.h"
#include "mp3/TagTextLoss.h"
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
// (the tags read so far stay in their entries, as the files hold them) and entered is
// told false.
std::unique_ptr<IJob> EnterMp3ModeJob(CTesselSession& session, std::function<void(bool)> entered) {
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    size_t rows = static_cast<size_t>(list.GetCount());
    struct SRead {
        bool bRead = false;
        bool bError = false;
        int nError = 0;  // why, when bError
        std::string title, artist, album, year, comment;
        int genre = -1;
        STagPresence presence;
    };
    auto reads = std::make_shared<std::vector<SRead>>(rows);
    auto read = [reads, &list](size_t first, size_t last) {
        CDeferredTag tag;
        for (size_t row = first; row < last; ++row) {
            SRead& one = (*reads)[row];
            tag.m_bErrorPending = false;
            one.bRead = tag.ReadTag(list.GetEntry(static_cast<int>(row)).m_strPath.Get());
            one.bError = tag.m_bErrorPending;
            one.nError = tag.m_nPendingError;
            one.presence = tag.Presence();
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
    auto takeIn = [reads, &list, &prompts](size_t first, size_t last) {
        for (size_t row = first; row < last; ++row) {
            const SRead& one = (*reads)[row];
            prompts.SetProgressFile(static_cast<int>(row),
                                    list.GetEntry(static_cast<int>(row)).m_strPath.Get());
            if (one.bError)
                CGuardedFile(&prompts).ReportError(one.nError);
            CHitDoc& entry = list.GetEntry(static_cast<int>(row));
            entry.m_tagPresence = one.presence;
            if (one.bRead)
                entry.SetFromTag(one.title, one.artist, one.album, one.year, one.comment,
                                 one.genre);
            list.RefreshRow(static_cast<int>(row));
        }
    };
    auto end = [rows, &session, &prompts, entered = std::move(entered)](size_t taken) {
        prompts.EndProgress();
        bool cancelled = taken < rows;
        if (cancelled)
            session.SetNormalColumns();
        entered(!cancelled);
    };
    prompts.BeginProgress(list.GetCount());
    session.SetMp3Columns();
    return std::make_unique<CChunkedJob>(rows, kRowsPerReadChunk, std::move(read),
                                         std::move(takeIn), std::move(end));
}

// Rows are written in chunks on a thread of their own, each chunk in parallel parts; the
// caller's thread commits the written tags, shows any error and moves the progress bar
// chunk by chunk.
constexpr size_t kRowsPerChunk = 2048;

// Writes every changed tag; the caller shows the results once the job ended. The
// preview's records become the results: writing a tag changes no field a record holds, only
// the codes differ. The writing thread only reads entries, and the caller's thread touches
// only rows already written, so the list may be shown meanwhile. After a cancel the tags
// not written keep counting as changed.
std::unique_ptr<IJob> WriteChangedTagsJob(CTesselSession& session,
                                          std::shared_ptr<CResultsList> results) {
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    size_t rows = static_cast<size_t>(list.GetCount());
    results->m_strTitle = "Results";
    results->m_bResultsMode = true;
    struct SWrite {
        int code = kResultUnchanged;
        bool bError = false;
        int nError = 0;  // why, when bError
        std::string note;  // what became of the file's ID3v2 tag, when worth telling
        STagPresence presence;
    };
    auto writes = std::make_shared<std::vector<SWrite>>(rows);
    ITagWriteObserver* observer = session.GetTagWriteObserver();
    bool addId3v2 = ReadEditorOptions(session.Profile()).bAddId3v2;
    auto write = [writes, results, &list, observer, addId3v2](size_t chunkFirst,
                                                              size_t chunkLast) {
        ForEachPart(chunkLast - chunkFirst, [&](size_t, size_t first, size_t last) {
            CDeferredTag tag;
            tag.SetWriteObserver(observer);
            tag.m_bAddId3v2 = addId3v2;
            // Folders are opened afresh for the writes: the preview may have stood open.
            CFolderCache folders;
            for (size_t row = chunkFirst + first; row < chunkFirst + last; ++row) {
                const CHitDoc& entry = list.GetEntry(static_cast<int>(row));
                if (!entry.IsTagChanged())
                    continue;
                SWrite& one = (*writes)[row];
                if (results->Code(row) == kResultExists) {
                    one.code = kResultExists;
                    continue;
                }
                tag.m_bErrorPending = false;
                tag.FillFrom(entry);
                one.code = WriteVerdict(tag, entry, folders);
                one.bError = tag.m_bErrorPending;
                one.nError = tag.m_nPendingError;
                one.note = tag.Id3v2Note();
                one.presence = tag.Presence();
            }
        });
    };
    auto takeIn = [writes, results, &list, &prompts](size_t first, size_t last) {
        for (size_t row = first; row < last; ++row) {
            const SWrite& one = (*writes)[row];
            prompts.SetProgressFile(static_cast<int>(row),
                                    list.GetEntry(static_cast<int>(row)).m_strPath.Get());
            if (one.bError)
                CGuardedFile(&prompts).ReportError(one.nError);
            if (one.code == kResultOk) {
                CHitDoc& entry = list.GetEntry(static_cast<int>(row));
                entry.CommitTag();
                entry.m_tagPresence = one.presence;
            }
            results->SetCode(row, one.code);
            results->AddNote(row, one.note);
        }
    };
    auto end = [rows, results, &list, &prompts](size_t taken) {
        prompts.EndProgress();
        for (size_t row = taken; row < rows; ++row)
            if (list.GetEntry(static_cast<int>(row)).IsTagChanged())
                results->SetCode(row, kResultCancelled);
    };
    prompts.BeginProgress(list.GetCount());
    return std::make_unique<CChunkedJob>(rows, kRowsPerChunk, std::move(write), std::move(takeIn),
                                         std::move(end));
}

// Each changed row whose tag loses characters says which fields, in place of its "OK".
void NoteTextLoss(const CRenameList& list, CResultsList& preview) {
    for (int row = 0; row < list.GetCount(); ++row) {
        const CHitDoc& entry = list.GetEntry(row);
        if (entry.IsTagChanged())
            preview.SetNote(static_cast<size_t>(row),
                            TagTextLossNote(FindTagTextLoss(entry.Tag())));
    }
}

}  // namespace

std::shared_ptr<CResultsList> SaveId3Preview(const CRenameList& list, bool probeFiles) {
    auto preview = std::make_shared<CResultsList>();
    preview->m_strTitle = "Preview";
    preview->m_bBlock = false;
    preview->m_bTags = true;
    size_t rows = static_cast<size_t>(list.GetCount());
    std::vector<int> codes(rows);
    ForEachPart(rows, [&](size_t, size_t first, size_t last) {
        CFolderCache folders;
        for (size_t i = first; i < last; ++i) {
            const CHitDoc& entry = list.GetEntry(static_cast<int>(i));
            bool changed = entry.IsTagChanged();
            int code = changed && !probeFiles ? kResultOk : FileVerdict(entry, folders);
            if (code == kResultOk && !changed)
                code = kResultUnchanged;
            codes[i] = code;
        }
    });
    MarkFilesNamedTwice(list, codes);
    preview->ShowRows(list, std::move(codes));
    NoteTextLoss(list, *preview);
    return preview;
}

namespace {

using AnswerSink = std::function<void(EAnswer)>;

void Tell(const AnswerSink& done, EAnswer answer) {
    if (done)
        done(answer);
}

}  // namespace

bool CanToggleMode(const CTesselSession& session) {
    return session.IsMp3Mode() || session.AllMp3();
}

std::unique_ptr<IJob> MakeToggleModeJob(CTesselSession& session) {
    auto job = std::make_unique<CStepJob>();
    CStepJob& steps = *job;
    struct SToggle {
        bool bLeaving = false;
        EAnswer answer = EAnswer::Yes;
    };
    auto toggle = std::make_shared<SToggle>();
    job->Then([&session, &steps, toggle]() -> std::unique_ptr<IJob> {
           if (!CanToggleMode(session)) {
               steps.Stop();
               return nullptr;
           }
           session.EndEditing();
           toggle->bLeaving = session.IsMp3Mode();
           if (!toggle->bLeaving)
               return EnterMp3ModeJob(session, [toggle](bool entered) {
                   toggle->answer = entered ? EAnswer::Yes : EAnswer::Cancel;
               });
           if (session.List().GetCount() == 0)
               return nullptr;
           return MakeSaveId3Job(session, [toggle](EAnswer answer) { toggle->answer = answer; });
       })
        .Then([&session, toggle]() -> std::unique_ptr<IJob> {
            if (toggle->answer == EAnswer::Cancel)
                return nullptr;
            if (toggle->bLeaving)
                session.SetNormalColumns();
            session.UndoHistory().Clear();
            return nullptr;
        });
    return job;
}

void ToggleMode(CTesselSession& session) {
    RunToEnd(*MakeToggleModeJob(session), session.Prompts());
}

std::unique_ptr<IJob> MakeSaveId3Job(CTesselSession& session, std::function<void(EAnswer)> done) {
    auto job = std::make_unique<CStepJob>();
    job->Then([&session, done = std::move(done)]() mutable -> std::unique_ptr<IJob> {
        if (!AnyTagChanged(session.List())) {
            Tell(done, EAnswer::Yes);
            return nullptr;
        }
        EAnswer answer = session.Prompts().Message(EMessageId::SaveTagChanges, kSaveTagsQuestion,
                                                   EIcon::Question, EButtons::YesNoCancel);
        return MakeSaveId3Job(session, answer, true, std::move(done));
    });
    return job;
}

std::unique_ptr<IJob> MakeSaveId3Job(CTesselSession& session, EAnswer answer, bool showPreview,
                                     std::function<void(EAnswer)> done) {
    auto job = std::make_unique<CStepJob>();
    CStepJob& steps = *job;
    auto results = std::make_shared<std::shared_ptr<CResultsList>>();
    job->Then([&session, &steps, answer, showPreview, results, done]() -> std::unique_ptr<IJob> {
           bool changed = AnyTagChanged(session.List());
           if (!changed || answer != EAnswer::Yes) {
               steps.Stop();
               Tell(done, changed ? answer : EAnswer::Yes);
               return nullptr;
           }
           *results = SaveId3Preview(session.List(), showPreview);
           // Cancel here is the user's Cancel: closing or switching stops, the edits stay.
           // A preview where no changed tag can be written cannot be confirmed either.
           if (showPreview &&
               (!session.Prompts().ShowResults(**results) || !(*results)->CanConfirm())) {
               steps.Stop();
               Tell(done, EAnswer::Cancel);
           }
           return nullptr;
       })
        .Then([&session, results]() { return WriteChangedTagsJob(session, *results); })
        .Then([&session, results, done]() -> std::unique_ptr<IJob> {
            session.Prompts().ShowResults(**results);
            Tell(done, EAnswer::Yes);
            return nullptr;
        });
    return job;
}

EAnswer SaveID3(CTesselSession& session) {
    EAnswer answer = EAnswer::Yes;
    RunToEnd(*MakeSaveId3Job(session, [&answer](EAnswer given) { answer = given; }),
             session.Prompts());
    return answer;
}

EAnswer SaveID3(CTesselSession& session, EAnswer answer, bool showPreview) {
    RunToEnd(
        *MakeSaveId3Job(session, answer, showPreview, [&answer](EAnswer given) { answer = given; }),
        session.Prompts());
    return answer;
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
