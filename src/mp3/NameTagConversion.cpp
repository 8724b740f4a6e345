#include "mp3/NameTagConversion.h"

#include "model/Prompts.h"
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
    if (!AskSeparator(session, choice))
        return;
    CRenameList& list = session.List();
    for (int row = 0; row < list.GetCount(); ++row) {
        CHitDoc& entry = list.GetEntry(row);
        CID3Tag tag;
        tag.m_strSeparator = choice.strSeparator;
        tag.m_bArtistFirst = choice.bArtistFirst;
        if (!tag.SplitName(entry.m_strNewName.Get()) || tag.m_strTitle.empty())
            continue;
        entry.m_strTitle.Set(tag.m_strTitle);
        entry.m_strArtist.Set(tag.m_strArtist);
        list.RefreshRow(row);
    }
}

void Id3ToFilename(CTesselSession& session) {
    SSeparatorChoice choice;
    if (!AskSeparator(session, choice))
        return;
    CRenameList& list = session.List();
    for (int row = 0; row < list.GetCount(); ++row) {
        CHitDoc& entry = list.GetEntry(row);
        CFileFacts probe;
        if (!probe.CheckPath(entry.m_strPath.Get()))
            continue;
        CID3Tag tag(&session.Prompts());
        tag.m_strSeparator = choice.strSeparator;
        tag.m_bArtistFirst = choice.bArtistFirst;
        std::string name;
        if (!tag.ReadTag(entry.m_strPath.Get()) || !tag.ComposeName(name))
            continue;
        entry.m_strNewName.Set(name);
        list.RefreshRow(row);
    }
}
