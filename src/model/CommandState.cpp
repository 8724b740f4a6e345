// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CommandState.h"

#include "model/TesselSession.h"

int LockedColumnOf(ECommandId command) {
    switch (command) {
        case ECommandId::LockTitle:
            return kColTitle;
        case ECommandId::LockArtist:
            return kColArtist;
        case ECommandId::LockAlbum:
            return kColAlbum;
        case ECommandId::LockYear:
            return kColYear;
        case ECommandId::LockGenre:
            return kColGenre;
        case ECommandId::LockComment:
            return kColComment;
        default:
            return 0;
    }
}

bool IsCheckCommand(ECommandId command) {
    return command == ECommandId::ToggleMode || LockedColumnOf(command) != 0;
}

SCommandState CommandState(const CTesselSession& session, ECommandId command) {
    bool mp3 = session.IsMp3Mode();
    bool hasRows = session.List().GetCount() > 0;
    SCommandState state;
    switch (command) {
        case ECommandId::Undo:
            state.bEnabled = session.CanUndo();
            break;
        case ECommandId::FindReplace:
            state.bEnabled = hasRows;
            break;
        case ECommandId::ToggleMode:
            state.bEnabled = mp3 || session.AllMp3();
            state.bChecked = mp3;
            break;
        case ECommandId::RenameWizard:
        case ECommandId::Go:
            state.bEnabled = !mp3;
            break;
        case ECommandId::SaveId3:
            state.bEnabled = mp3;
            break;
        case ECommandId::FilenameToId3:
            state.bEnabled = mp3 && hasRows;
            break;
        case ECommandId::Id3ToFilename:
            state.bEnabled = !mp3 && session.AllMp3() && hasRows;
            break;
        default:
            break;
    }
    if (int column = LockedColumnOf(command))
        state.bChecked = session.IsLocked(column);
    if (command == ECommandId::NaturalOrder)
        state.bChecked = session.m_bNaturalOrder;
    return state;
}
