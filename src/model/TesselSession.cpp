// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TesselSession.h"

#include "model/ListObserver.h"
#include "model/Profile.h"
#include "model/Prompts.h"
#include "model/SortRows.h"

namespace {

// The tag fields of a row that has no tag.
const STagFields kNoTagFields;

}  // namespace

CTesselSession::CTesselSession(IPrompts& prompts, IProfile& profile)
    : m_prompts(prompts), m_profile(profile) {
    ReadLocksAndFieldChoice();
    ReadNaturalOrder();
}

void CTesselSession::ReadNaturalOrder() {
    m_bNaturalOrder = m_profile.GetInt(kNaturalOrderSection, kNaturalOrderKey, 0) != 0;
}

void CTesselSession::ReadLocksAndFieldChoice() {
    SId3EditorOptions options = ReadEditorOptions(m_profile);
    m_locks = options.lock;
    m_fieldChoice = options.format;
}

bool CTesselSession::IsLocked(int column) const {
    return column >= kColTitle && column <= kColComment && m_locks[column - 1];
}

void CTesselSession::TakeSnapshot() {
    if (m_list.GetCount() == 0)
        return;
    m_pending.resize(static_cast<size_t>(m_list.GetCount()));
    for (int row = 0; row < m_list.GetCount(); ++row)
        m_pending[static_cast<size_t>(row)] = m_list.GetEntry(row);
    m_bPending = true;
    m_bPartial = false;
}

void CTesselSession::TakePartialSnapshot() {
    m_bPending = false;
    m_bPartial = m_list.GetCount() > 0;
    m_kept.clear();
    m_keptTexts.clear();
    if (m_bUndoable)
        m_kept.resize(static_cast<size_t>(m_list.GetCount()));
    else
        m_keptTexts.resize(static_cast<size_t>(m_list.GetCount()));
}

void CTesselSession::KeepRow(int row) {
    if (!m_bPartial || row < 0 || row >= m_list.GetCount())
        return;
    const CHitDoc& entry = m_list.GetEntry(row);
    if (!m_bUndoable) {
        SKeptTexts& kept = m_keptTexts[static_cast<size_t>(row)];
        if (kept.bKept)
            return;
        kept.bKept = true;
        kept.newName = entry.m_strNewName;
        if (!(entry.Tag() == kNoTagFields))
            kept.tag = std::make_unique<STagFields>(entry.Tag());
        return;
    }
    std::unique_ptr<CHitDoc>& copy = m_kept[static_cast<size_t>(row)];
    if (!copy)
        copy = std::make_unique<CHitDoc>(entry);
}

void CTesselSession::ReleaseSnapshot() {
    m_bPending = false;
    std::vector<CHitDoc>().swap(m_pending);
    m_bPartial = false;
    std::vector<std::unique_ptr<CHitDoc>>().swap(m_kept);
    std::vector<SKeptTexts>().swap(m_keptTexts);
}

namespace {

bool GrewTooLong(const CTextField& before, const CTextField& after) {
    return after.GetLength() > kMaxNameBytes && after.GetLength() > before.GetLength();
}

bool AnyTextGrewTooLong(const CHitDoc& before, const CHitDoc& after) {
    return GrewTooLong(before.m_strNewName, after.m_strNewName) ||
           GrewTooLong(before.m_strExt, after.m_strExt) ||
           GrewTooLong(before.Title(), after.Title()) ||
           GrewTooLong(before.Artist(), after.Artist()) ||
           GrewTooLong(before.Album(), after.Album()) ||
           GrewTooLong(before.Comment(), after.Comment());
}

}  // namespace

size_t CTesselSession::KeptTextRows() const {
    return std::min(m_keptTexts.size(), static_cast<size_t>(m_list.GetCount()));
}

bool CTesselSession::KeptTextsGrewTooLong() const {
    for (size_t row = 0; row < KeptTextRows(); ++row) {
        const SKeptTexts& kept = m_keptTexts[row];
        if (!kept.bKept)
            continue;
        const CHitDoc& entry = m_list.GetEntry(static_cast<int>(row));
        const STagFields& before = kept.tag ? *kept.tag : kNoTagFields;
        if (GrewTooLong(kept.newName, entry.m_strNewName) ||
            GrewTooLong(before.title, entry.Title()) ||
            GrewTooLong(before.artist, entry.Artist()) ||
            GrewTooLong(before.album, entry.Album()) ||
            GrewTooLong(before.comment, entry.Comment()))
            return true;
    }
    return false;
}

void CTesselSession::PutBackKeptTexts() {
    for (size_t row = 0; row < KeptTextRows(); ++row) {
        SKeptTexts& kept = m_keptTexts[row];
        if (!kept.bKept)
            continue;
        CHitDoc& entry = m_list.GetEntry(static_cast<int>(row));
        entry.m_strNewName = std::move(kept.newName);
        if (kept.tag || !(entry.Tag() == kNoTagFields))
            entry.EditTag() = kept.tag ? std::move(*kept.tag) : STagFields{};
        m_list.RefreshRow(static_cast<int>(row));
    }
}

bool CTesselSession::RefuseTooLongTexts() {
    if (m_bPartial && !m_bUndoable) {
        if (!KeptTextsGrewTooLong())
            return false;
        PutBackKeptTexts();
        m_bPartial = false;
        std::vector<SKeptTexts>().swap(m_keptTexts);
        m_prompts.Message(EMessageId::NameTooLong, kNameTooLongMessage, EIcon::Stop,
                          EButtons::Ok);
        return true;
    }
    int rows = m_list.GetCount();
    auto before = [&](int row) -> const CHitDoc* {
        if (m_bPartial)
            return row < static_cast<int>(m_kept.size()) ? m_kept[static_cast<size_t>(row)].get()
                                                         : nullptr;
        return row < static_cast<int>(m_pending.size()) ? &m_pending[static_cast<size_t>(row)]
                                                        : nullptr;
    };
    bool tooLong = false;
    for (int row = 0; row < rows && !tooLong; ++row)
        if (const CHitDoc* copy = before(row))
            tooLong = AnyTextGrewTooLong(*copy, m_list.GetEntry(row));
    if (!tooLong)
        return false;
    for (int row = 0; row < rows; ++row) {
        const CHitDoc* copy = before(row);
        if (copy == nullptr || copy->IsSameAs(m_list.GetEntry(row)))
            continue;
        m_list.GetEntry(row) = *copy;
        m_list.RefreshRow(row);
    }
    m_bPending = false;
    m_bPartial = false;
    m_kept.clear();
    m_prompts.Message(EMessageId::NameTooLong, kNameTooLongMessage, EIcon::Stop, EButtons::Ok);
    return true;
}

bool CTesselSession::CommitKeptRows(int kind) {
    m_bPartial = false;
    auto record = std::make_unique<CUndoRecord>();
    int rows = std::min(m_list.GetCount(), static_cast<int>(m_kept.size()));
    for (int row = 0; row < rows; ++row) {
        std::unique_ptr<CHitDoc>& before = m_kept[static_cast<size_t>(row)];
        if (before && (kind == kUndoRenameRun || !before->IsSameAs(m_list.GetEntry(row)))) {
            before->m_nTag = row;
            record->Push(std::move(before));
        }
    }
    m_kept.clear();
    return PushUndoStep(std::move(record), kind);
}

bool CTesselSession::CommitKeptTexts() {
    m_bPartial = false;
    bool changed = false;
    for (size_t row = 0; row < KeptTextRows() && !changed; ++row) {
        const SKeptTexts& kept = m_keptTexts[row];
        const CHitDoc& entry = m_list.GetEntry(static_cast<int>(row));
        changed = kept.bKept && (!(kept.newName == entry.m_strNewName) ||
                                 !((kept.tag ? *kept.tag : kNoTagFields) == entry.Tag()));
    }
    // The list is saved next: the copies' memory is given back before it.
    std::vector<SKeptTexts>().swap(m_keptTexts);
    m_bModified = m_bModified || changed;
    return changed;
}

bool CTesselSession::CommitSnapshot(int kind) {
    if ((m_bPartial || m_bPending) && RefuseTooLongTexts())
        return false;
    if (m_bPartial && !m_bUndoable)
        return CommitKeptTexts();
    if (m_bPartial)
        return CommitKeptRows(kind);
    if (m_list.GetCount() == 0 || !m_bPending) {
        m_bPending = false;
        return false;
    }
    auto record = std::make_unique<CUndoRecord>();
    int rows = std::min(m_list.GetCount(), static_cast<int>(m_pending.size()));
    for (int row = 0; row < rows; ++row) {
        CHitDoc& before = m_pending[static_cast<size_t>(row)];
        if (kind == kUndoRenameRun || !before.IsSameAs(m_list.GetEntry(row))) {
            // The snapshot is done with this entry: its texts move into the record.
            auto copy = std::make_unique<CHitDoc>(std::move(before));
            copy->m_nTag = row;
            record->Push(std::move(copy));
        }
    }
    m_bPending = false;
    return PushUndoStep(std::move(record), kind);
}

void CTesselSession::CommitRun(std::string journal) {
    m_bModified = true;
    m_undo.Push(std::make_unique<CUndoRecord>(), kUndoRenameRun, std::move(journal));
}

bool CTesselSession::CommitReorder(const std::vector<int>& order) {
    if (order.size() != static_cast<size_t>(m_list.GetCount()))
        return false;
    if (!m_bUndoable) {
        m_bModified = true;
        return true;
    }
    auto record = std::make_unique<CUndoRecord>();
    for (size_t row = 0; row < order.size(); ++row) {
        if (order[row] == static_cast<int>(row))
            continue;
        auto copy = std::make_unique<CHitDoc>(m_list.GetEntry(static_cast<int>(row)));
        copy->m_nTag = order[row];
        record->Push(std::move(copy));
    }
    return PushUndoStep(std::move(record), kUndoEdit);
}

bool CTesselSession::PushUndoStep(std::unique_ptr<CUndoRecord> record, int kind) {
    if (record->IsEmpty())
        return false;
    m_bModified = true;
    m_undo.Push(std::move(record), kind);
    return true;
}

void CTesselSession::UndoEditRecord() {
    CUndoRecord* record = m_undo.Top();
    if (record == nullptr)
        return;
    for (size_t i = 0; i < record->GetCount(); ++i) {
        const CHitDoc& copy = record->At(i);
        if (copy.m_nTag < 0 || copy.m_nTag >= m_list.GetCount())
            continue;
        m_list.GetEntry(copy.m_nTag) = copy;
        m_list.RefreshRow(copy.m_nTag);
    }
    m_undo.Pop();
}

void CTesselSession::AddEntry(const CHitDoc& entry) {
    m_list.AppendCopy(entry);
    m_undo.Clear();
}

void CTesselSession::AddEntry(std::unique_ptr<CHitDoc> entry) {
    m_list.Append(std::move(entry));
    m_undo.Clear();
}

void CTesselSession::EndEditing() {
    if (IListObserver* observer = m_list.GetObserver())
        observer->EndEditing();
}

void CTesselSession::SetNormalColumns() {
    m_list.SetMode(EMode::Normal);
    m_currentCell = SCurrentCell{-1, 0};
}

void CTesselSession::SetMp3Columns() {
    m_list.SetMode(EMode::Mp3);
    m_currentCell = SCurrentCell{-1, kColTitle};
}
