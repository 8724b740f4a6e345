// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TagEditing.h"

#include "model/GenreTable.h"
#include "model/Profile.h"
#include "model/TesselSession.h"

void SetTagValue(CTesselSession& session, int row, int column, const std::string& text) {
    if (!session.IsMp3Mode())
        return;
    SetEntryTagValue(session.List().GetEntry(row), column, text);
    session.List().RefreshRow(row);
}

void SetEntryTagValue(CHitDoc& entry, int column, const std::string& text) {
    long number = text.empty() ? -1 : LeadingNumber(text);
    switch (column) {
        case kColTitle:
            entry.EditTitle().Set(text);
            break;
        case kColArtist:
            entry.EditArtist().Set(text);
            break;
        case kColAlbum:
            entry.EditAlbum().Set(text);
            break;
        case kColYear:
            entry.SetYear(number >= 1 && number <= 9999 ? static_cast<int>(number) : -1);
            break;
        case kColGenre:
            entry.SetGenre(GenreFromName(text));
            break;
        case kColComment:
            entry.EditComment().Set(text);
            break;
        default:
            break;
    }
}

bool IsStorableTagValue(int column, const std::string& text) {
    if (text.empty())
        return true;
    if (column == kColYear) {
        long year = LeadingNumber(text);
        return year >= 1 && year <= 9999 && std::to_string(year) == text;
    }
    if (column == kColGenre)
        return GenreFromName(text) >= 0;
    return true;
}

void ApplyToLockedColumn(CTesselSession& session, const std::string& text, int column) {
    if (!session.IsLocked(column))
        return;
    for (int row = 0; row < session.List().GetCount(); ++row)
        SetTagValue(session, row, column, text);
}

bool RunOptionsSheet(CTesselSession& session, EOptionsPage page) {
    SId3EditorOptions options = ReadEditorOptions(session.Profile());
    bool accepted = session.Prompts().ShowOptions(page, options);
    if (accepted)
        WriteEditorOptions(session.Profile(), options);
    else
        options = ReadEditorOptions(session.Profile());
    session.m_fieldChoice = options.format;
    session.m_locks = options.lock;
    return accepted;
}
