// SPDX-License-Identifier: GPL-3.0-or-later
#include "transform/NameTools.h"

#include "model/Prompts.h"
#include "model/TagEditing.h"
#include "model/TextField.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void Apply(CTextField& field, ETextOperation operation, const std::string& middle) {
    switch (operation) {
        case ETextOperation::SentenceCase:
            field.SentenceCase();
            break;
        case ETextOperation::Lowercase:
            field.MakeLower();
            break;
        case ETextOperation::Uppercase:
            field.MakeUpper();
            break;
        case ETextOperation::TitleCase:
            field.TitleCase();
            break;
        case ETextOperation::ToggleCase:
            field.ToggleCase();
            break;
        case ETextOperation::Swap:
            field.Swap(middle);
            break;
        case ETextOperation::InsertSpaces:
            field.InsertSpaces();
            break;
    }
}

// The driver's work once the field choice is known; any editor is closed already.
ECommandOutcome Transform(CTesselSession& session, ETextOperation operation,
                          const FieldChoice& fields);

}  // namespace

void TransformField(CTextField& field, ETextOperation operation, const std::string& middle) {
    Apply(field, operation, middle);
    const std::string& result = field.Get();
    if (result.size() <= 1)
        return;
    size_t first = 0;
    while (first < result.size() && IsBlank(result[first]))
        ++first;
    if (first > 0)
        field.Set(result.substr(first));
}

const CTextField& TagField(const CHitDoc& entry, int column) {
    switch (column) {
        case kColTitle:
            return entry.Title();
        case kColArtist:
            return entry.Artist();
        case kColAlbum:
            return entry.Album();
        default:
            return entry.Comment();
    }
}

ECommandOutcome TransformNames(CTesselSession& session, ETextOperation operation) {
    session.EndEditing();
    if (session.IsMp3Mode() && !RunOptionsSheet(session, EOptionsPage::Id3Editor))
        return ECommandOutcome::Cancelled;
    return Transform(session, operation, session.m_fieldChoice);
}

ECommandOutcome TransformNames(CTesselSession& session, ETextOperation operation,
                               const FieldChoice& fields) {
    session.EndEditing();
    return Transform(session, operation, fields);
}

namespace {

ECommandOutcome Transform(CTesselSession& session, ETextOperation operation,
                          const FieldChoice& fields) {
    CRenameList& list = session.List();
    const std::string middle = session.m_strMiddle;
    session.TakePartialSnapshot();
    // One working field for all cells: copying into it and back reuses the storage both
    // already have, so a cell costs no allocation beyond its row's undo copy.
    CTextField result;
    if (session.IsMp3Mode()) {
        // Row by row, each row's chosen cells in column order: every cell's result
        // depends on its own text only, and each entry is fetched from memory once.
        for (int row = 0; row < list.GetCount(); ++row) {
            for (size_t choice = 0; choice < kTextTagColumns.size(); ++choice) {
                if (!fields[choice])
                    continue;
                int column = kTextTagColumns[choice];
                const CTextField& field = TagField(list.GetEntry(row), column);
                result = field;
                TransformField(result, operation, middle);
                // A cell whose text stays as it is already holds what SetTagValue would
                // store; it is shown anew below with the rest.
                if (result == field)
                    continue;
                session.KeepRow(row);
                SetTagValue(session, row, column, result.Get());
            }
        }
        list.RefreshRows(0, list.GetCount() - 1);
    } else {
        for (int row = 0; row < list.GetCount(); ++row) {
            CTextField& name = list.GetEntry(row).m_strNewName;
            result = name;
            TransformField(result, operation, middle);
            if (result == name)
                continue;
            session.KeepRow(row);
            name = result;
        }
        list.RefreshRows(0, list.GetCount() - 1);
    }
    return session.CommitSnapshot(kUndoEdit) ? ECommandOutcome::Changed
                                             : ECommandOutcome::Unchanged;
}

}  // namespace

ECommandOutcome SwapNames(CTesselSession& session) {
    std::string middle = " - ";
    bool accepted = session.Prompts().AskSwapMiddle(middle);
    session.m_strMiddle = middle;
    if (!accepted)
        return ECommandOutcome::Cancelled;
    return TransformNames(session, ETextOperation::Swap);
}

ECommandOutcome SwapNames(CTesselSession& session, const std::string& middle,
                          const FieldChoice& fields) {
    session.m_strMiddle = middle;
    return TransformNames(session, ETextOperation::Swap, fields);
}
