// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/NameTagConversion.h"

#include "model/CommandState.h"
#include "model/TesselSession.h"
#include "mp3/ID3Tag.h"

namespace {

bool AskSeparator(CTesselSession& session, SSeparatorChoice& choice) {
    choice = SSeparatorChoice();
    return session.Prompts().AskSeparator(choice);
}

}  // namespace

void FilenameToId3(CTesselSession& session) {
    SSeparatorChoice choice;
    if (AskSeparator(session, choice))
        FilenameToId3(session, choice);
}

void FilenameToId3(CTesselSession& session, const SSeparatorChoice& choice) {
    CRenameList& list = session.List();
    for (int row = 0; row < list.GetCount(); ++row) {
        CHitDoc& entry = list.GetEntry(row);
        CID3Tag tag;
        tag.m_strSeparator = choice.strSeparator;
        tag.m_bArtistFirst = choice.bArtistFirst;
        if (!tag.SplitName(entry.m_strNewName.Get()) || tag.m_strTitle.empty())
            continue;
        entry.EditTitle().Set(tag.m_strTitle);
        entry.EditArtist().Set(tag.m_strArtist);
        list.RefreshRow(row);
    }
}

bool Id3ToFilename(CTesselSession& session) {
    if (!CommandState(session, ECommandId::Id3ToFilename).bEnabled)
        return false;
    SSeparatorChoice choice;
    return AskSeparator(session, choice) && Id3ToFilename(session, choice);
}

bool Id3ToFilename(CTesselSession& session, const SSeparatorChoice& choice) {
    if (!CommandState(session, ECommandId::Id3ToFilename).bEnabled)
        return false;
    session.EndEditing();
    CRenameList& list = session.List();
    session.TakePartialSnapshot();
    for (int row = 0; row < list.GetCount(); ++row) {
        CHitDoc& entry = list.GetEntry(row);
        CFileFacts probe;
        if (!probe.CheckPath(entry.m_strPath.Get()))
            continue;
        CID3Tag tag(&session.Prompts());
        tag.m_strSeparator = choice.strSeparator;
        tag.m_bArtistFirst = choice.bArtistFirst;
        std::string name;
        if (!tag.ReadTag(entry.m_strPath.Get()) || !tag.ComposeName(name) ||
            entry.m_strNewName.Get() == name)
            continue;
        session.KeepRow(row);
        entry.m_strNewName.Set(name);
        list.RefreshRow(row);
    }
    session.CommitSnapshot(kUndoEdit);
    return true;
}
