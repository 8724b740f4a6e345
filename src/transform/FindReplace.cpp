// SPDX-License-Identifier: GPL-3.0-or-later
#include "transform/FindReplace.h"

#include "model/ListObserver.h"
#include "model/Prompts.h"
#include "model/TagEditing.h"
#include "model/TextField.h"
#include "transform/NameTools.h"

namespace {

// The first row from fromRow down whose cell in the column holds a match, or -1.
int SearchColumn(const CRenameList& list, int column, int fromRow, CFindPattern& pattern) {
    for (int row = std::max(fromRow, 0); row < list.GetCount(); ++row)
        if (pattern.Occurs(list.CellText(row, column)))
            return row;
    return -1;
}

// True when the pattern can be used; otherwise tells why it cannot.
bool IsUsable(CTesselSession& session, const CFindPattern& pattern) {
    if (pattern.IsValid())
        return true;
    session.Prompts().Message(EMessageId::InvalidPattern, pattern.Problem(), EIcon::Warning,
                              EButtons::Ok);
    return false;
}

bool ReportNotFound(CTesselSession& session, const std::string& find) {
    session.Prompts().MessageWithParts(EMessageId::CannotFind, CannotFindMessage(find), {find},
                                       EIcon::None, EButtons::Ok);
    return false;
}

void ShowRow(CTesselSession& session, int row) {
    if (IListObserver* observer = session.List().GetObserver())
        observer->ShowRow(row);
}

void OpenEditor(CTesselSession& session, int row, int column) {
    ShowRow(session, row);
    if (IListObserver* observer = session.List().GetObserver())
        observer->OpenCellEditor(row, column);
}

bool FindNextNormal(CTesselSession& session, const std::string& find, CFindPattern& pattern) {
    CRenameList& list = session.List();
    session.m_currentCell = SCurrentCell{list.FirstSelectedRow(), 0};
    int match = SearchColumn(list, 0, session.m_currentCell.nRow + 1, pattern);
    if (match < 0)
        return ReportNotFound(session, find);
    session.m_currentCell.nRow = match;
    list.DeselectAll();
    ShowRow(session, match);
    list.SetSelected(match, true);
    return true;
}

bool FindNextMp3(CTesselSession& session, const std::string& find, CFindPattern& pattern) {
    SCurrentCell& cell = session.m_currentCell;
    // With no rows there is no cell to enter, in this column or the next.
    if (session.List().GetCount() == 0 || cell.nColumn > kColComment)
        return ReportNotFound(session, find);
    int match = SearchColumn(session.List(), cell.nColumn, cell.nRow + 1, pattern);
    if (match >= 0) {
        cell.nRow = match;
        OpenEditor(session, match, cell.nColumn);
        return true;
    }
    cell = SCurrentCell{0, cell.nColumn + 1};
    if (cell.nColumn > kColComment)
        return ReportNotFound(session, find);
    OpenEditor(session, 0, cell.nColumn);
    return true;
}

// Writes one replaced cell back: the new name, or the tag through SetTagValue.
void StoreCell(CTesselSession& session, int row, int column, const std::string& text) {
    if (session.IsMp3Mode()) {
        SetTagValue(session, row, column, text);
        return;
    }
    session.List().GetEntry(row).m_strNewName.Set(text);
    session.List().RefreshRow(row);
}

bool FindWith(CTesselSession& session, const std::string& find, CFindPattern& pattern) {
    return session.IsMp3Mode() ? FindNextMp3(session, find, pattern)
                               : FindNextNormal(session, find, pattern);
}

bool ReplaceCurrentWith(CTesselSession& session, const std::string& find, CFindPattern& pattern);

// Replace All's work once the field choice is known; any editor is closed already.
ECommandOutcome ReplaceEverywhere(CTesselSession& session, CFindPattern& pattern,
                                  const FieldChoice& fields);

SReplaceSettings PlainSettings(const std::string& find, const std::string& replacement,
                               bool matchCase) {
    return SReplaceSettings{find, replacement, matchCase, false};
}

}  // namespace

std::string CannotFindMessage(const std::string& find) {
    return "Cannot find the string '" + find + "'";
}

bool FindNext(CTesselSession& session, const std::string& find, bool matchCase) {
    return FindNext(session, PlainSettings(find, "", matchCase));
}

bool FindNext(CTesselSession& session, const SReplaceSettings& settings) {
    CFindPattern pattern(settings);
    return IsUsable(session, pattern) && FindWith(session, settings.strFind, pattern);
}

bool ReplaceCurrent(CTesselSession& session, const std::string& find,
                    const std::string& replacement, bool matchCase) {
    return ReplaceCurrent(session, PlainSettings(find, replacement, matchCase));
}

bool ReplaceCurrent(CTesselSession& session, const SReplaceSettings& settings) {
    CFindPattern pattern(settings);
    return IsUsable(session, pattern) && ReplaceCurrentWith(session, settings.strFind, pattern);
}

namespace {

bool ReplaceCurrentWith(CTesselSession& session, const std::string& find, CFindPattern& pattern) {
    CRenameList& list = session.List();
    if (!session.IsMp3Mode()) {
        if (list.GetCount() == 0)
            return false;
        session.m_currentCell = SCurrentCell{list.FirstSelectedRow(), 0};
    } else if (session.m_currentCell.nRow == -1) {
        FindWith(session, find, pattern);
    }
    // An editor that find opened over the cell commits before the cell is read, so it
    // cannot write its old text over the replacement afterwards.
    session.EndEditing();
    const SCurrentCell cell = session.m_currentCell;
    if (cell.nRow < 0 || cell.nRow >= list.GetCount())
        return false;
    if (session.IsMp3Mode() &&
        (cell.nColumn < kColTitle || cell.nColumn > kColComment || cell.nColumn == kColGenre))
        return false;
    CTextField field(list.CellText(cell.nRow, cell.nColumn));
    if (!pattern.Replace(field))
        return false;
    ShowRow(session, cell.nRow);
    session.TakePartialSnapshot();
    session.KeepRow(cell.nRow);
    StoreCell(session, cell.nRow, cell.nColumn, field.Get());
    session.CommitSnapshot(kUndoEdit);
    FindWith(session, find, pattern);
    return true;
}

}  // namespace

ECommandOutcome ReplaceAll(CTesselSession& session, const std::string& find,
                           const std::string& replacement, bool matchCase) {
    return ReplaceAll(session, PlainSettings(find, replacement, matchCase));
}

ECommandOutcome ReplaceAll(CTesselSession& session, const SReplaceSettings& settings) {
    CFindPattern pattern(settings);
    if (!IsUsable(session, pattern))
        return ECommandOutcome::Unchanged;
    session.EndEditing();
    if (session.IsMp3Mode() && !RunOptionsSheet(session, EOptionsPage::Id3Editor))
        return ECommandOutcome::Cancelled;
    return ReplaceEverywhere(session, pattern, session.m_fieldChoice);
}

ECommandOutcome ReplaceAll(CTesselSession& session, const SReplaceSettings& settings,
                           const FieldChoice& fields) {
    CFindPattern pattern(settings);
    if (!IsUsable(session, pattern))
        return ECommandOutcome::Unchanged;
    session.EndEditing();
    return ReplaceEverywhere(session, pattern, fields);
}

namespace {

ECommandOutcome ReplaceEverywhere(CTesselSession& session, CFindPattern& pattern,
                                  const FieldChoice& fields) {
    CRenameList& list = session.List();
    session.TakePartialSnapshot();
    CTextField field;  // one working field, whose storage every row reuses
    if (session.IsMp3Mode()) {
        for (size_t choice = 0; choice < kTextTagColumns.size(); ++choice) {
            if (!fields[choice])
                continue;
            int column = kTextTagColumns[choice];
            for (int row = 0; row < list.GetCount(); ++row) {
                const CTextField& text = TagField(list.GetEntry(row), column);
                if (!pattern.Occurs(text.Get()))
                    continue;
                field = text;
                if (!pattern.Replace(field))
                    continue;
                session.KeepRow(row);
                SetTagValue(session, row, column, field.Get());
            }
        }
    } else {
        int firstChanged = -1;
        int lastChanged = -1;
        for (int row = 0; row < list.GetCount(); ++row) {
            CTextField& name = list.GetEntry(row).m_strNewName;
            // Most rows hold no occurrence: those are only searched, never copied.
            if (!pattern.Occurs(name.Get()))
                continue;
            field = name;
            if (!pattern.Replace(field))
                continue;
            session.KeepRow(row);
            name = field;
            if (firstChanged < 0)
                firstChanged = row;
            lastChanged = row;
        }
        if (firstChanged >= 0)
            list.RefreshRows(firstChanged, lastChanged);
    }
    return session.CommitSnapshot(kUndoEdit) ? ECommandOutcome::Changed
                                             : ECommandOutcome::Unchanged;
}

}  // namespace

void HandleFindRequest(CTesselSession& session, EFindRequest request, const std::string& find,
                       const std::string& replacement, bool matchCase) {
    HandleFindRequest(session, request, PlainSettings(find, replacement, matchCase));
}

void HandleFindRequest(CTesselSession& session, EFindRequest request,
                       const SReplaceSettings& settings) {
    CFindPattern pattern(settings);
    if (!IsUsable(session, pattern))
        return;
    switch (request) {
        case EFindRequest::FindNext:
            FindWith(session, settings.strFind, pattern);
            break;
        case EFindRequest::ReplaceAll:
            ReplaceAll(session, settings);
            break;
        case EFindRequest::Replace:
            if (!ReplaceCurrentWith(session, settings.strFind, pattern))
                FindWith(session, settings.strFind, pattern);
            break;
    }
}
