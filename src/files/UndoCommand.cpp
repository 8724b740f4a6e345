#include "files/UndoCommand.h"

#include <vector>

#include "files/PutBack.h"
#include "model/ChunkedJob.h"
#include "model/Prompts.h"
#include "model/TesselSession.h"

namespace {

// Rows put back between two looks at the caller's thread: small enough for a prompt
// progress bar and Cancel, large enough that handing them over costs nothing.
constexpr size_t kRowsPerChunk = 256;

// The rows of a run to put back, from the last row to the first, so that a name a later
// row took from an earlier one is free again by the time the earlier row wants it back.
// A row whose rename failed, or that the run never reached, still names its old path
// and needs no rename.
struct SPutBackPlan {
    std::vector<size_t> records;  // indices into the undo record, last first
    std::vector<SRunRename> renames;
    std::vector<bool> needsRename;
};

SPutBackPlan PlanPutBack(const CUndoRecord& record, const CRenameList& list) {
    SPutBackPlan plan;
    for (size_t i = record.GetCount(); i-- > 0;) {
        const CHitDoc& before = record.At(i);
        if (before.m_nTag < 0 || before.m_nTag >= list.GetCount())
            continue;
        bool moved = list.GetEntry(before.m_nTag).m_strPath != before.m_strPath;
        plan.records.push_back(i);
        plan.needsRename.push_back(moved);
        plan.renames.push_back(moved ? SRunRename{static_cast<uint32_t>(before.m_nTag),
                                                  before.m_strPath.Get(), before.GetNewPath()}
                                     : SRunRename{});
    }
    return plan;
}

// The files are renamed back on a thread of their own while this thread gives each row
// its entry from before the run and keeps the progress dialog going. A Cancel stops after
// the rows in hand: those rows leave the undo step, the others stay in it for the next
// Undo.
void UndoRenameRun(CTesselSession& session) {
    CUndoRecord* record = session.UndoHistory().Top();
    CRenameList& list = session.List();
    IPrompts& prompts = session.Prompts();
    SPutBackPlan plan = PlanPutBack(*record, list);
    std::vector<EPutBack> outcomes(plan.records.size(), EPutBack::InPlace);
    bool failed = false;
    size_t undone = 0;
    prompts.BeginProgress(static_cast<int>(plan.records.size()));
    CChunkedJob job(
        plan.records.size(), kRowsPerChunk,
        [&](size_t first, size_t last) {
            for (size_t k = first; k < last; ++k)
                if (plan.needsRename[k])
                    outcomes[k] = PutBack(plan.renames[k], false);
        },
        [&](size_t first, size_t last) {
            for (size_t k = first; k < last; ++k) {
                if (outcomes[k] != EPutBack::Renamed && outcomes[k] != EPutBack::InPlace) {
                    failed = true;
                    continue;
                }
                const CHitDoc& before = record->At(plan.records[k]);
                list.GetEntry(before.m_nTag) = before;
                list.RefreshRow(before.m_nTag);
            }
            prompts.SetProgress(static_cast<int>(last));
        },
        [&](size_t taken) { undone = taken; });
    RunToEnd(job, prompts);
    prompts.EndProgress();
    if (failed) {
        prompts.Message(EMessageId::CannotUndo, kCannotUndoMessage, EIcon::None, EButtons::Ok);
        session.UndoHistory().Clear();
    } else if (undone == plan.records.size()) {
        session.UndoHistory().Pop();
    } else if (undone > 0) {
        // The rows put back are the record's last ones.
        while (record->GetCount() > plan.records[undone - 1])
            record->Pop();
    }
}

}  // namespace

void Undo(CTesselSession& session) {
    session.EndEditing();
    if (!session.CanUndo())
        return;
    if (session.UndoHistory().TopKind() == kUndoRenameRun)
        UndoRenameRun(session);
    else
        session.UndoEditRecord();
}
