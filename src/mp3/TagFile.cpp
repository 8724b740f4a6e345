// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/TagFile.h"

#include <cerrno>

#include "model/HitDoc.h"
#include "model/ResultsList.h"
#include "model/TagEditing.h"
#include "mp3/ID3Tag.h"
#include "platform/WriteAccess.h"

namespace {

// The tag the file holds, as saved in the entry, with the values over it.
void TakeTag(CHitDoc& entry, const CID3Tag& tag, const std::map<int, std::string>& values) {
    entry.SetFromTag(tag.m_strTitle, tag.m_strArtist, tag.m_strAlbum, tag.m_strYear,
                     tag.m_strComment, tag.m_nGenre);
    entry.m_tagPresence = tag.Presence();
    for (const auto& [column, text] : values)
        SetEntryTagValue(entry, column, text);
}

}  // namespace

bool ReadEntryTag(CHitDoc& entry, IPrompts* prompts) {
    CID3Tag tag(prompts);
    bool read = tag.ReadTag(entry.m_strPath.Get());
    entry.m_tagPresence = tag.Presence();
    if (!read)
        return false;
    entry.SetFromTag(tag.m_strTitle, tag.m_strArtist, tag.m_strAlbum, tag.m_strYear,
                     tag.m_strComment, tag.m_nGenre);
    return true;
}

bool WriteEntryTag(CHitDoc& entry, IPrompts* prompts) {
    CID3Tag tag(prompts);
    tag.FillFrom(entry);
    if (!tag.WriteTag(entry.m_strPath.Get()))
        return false;
    entry.CommitTag();
    entry.m_tagPresence = tag.Presence();
    return true;
}

STagEdit EditEntryTag(CHitDoc& entry, const std::map<int, std::string>& values, bool dryRun,
                      CID3Tag& tag) {
    const std::string& path = entry.m_strPath.Get();
    bool opened = tag.OpenTag(path, EOpenMode::ReadWrite);
    int error = tag.GetOpenError();
    if (IsNoSuchFileError(error) || error == EISDIR || error == EINVAL)
        return {kResultNotFound, error == ELOOP ? EINVAL : error};
    bool readOnly = error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY;
    // Not ours to write: its tag still tells whether the edit would change anything.
    if (readOnly && tag.OpenTag(path, EOpenMode::Read))
        tag.Close();
    TakeTag(entry, tag, values);
    if (!opened)
        return {readOnly ? kResultReadOnly : kResultUnexpected, 0};
    if (!entry.IsTagChanged() || dryRun) {
        tag.Close();
        return {entry.IsTagChanged() ? kResultOk : kResultUnchanged, 0};
    }
    tag.FillFrom(entry);
    bool written = tag.WriteOpenTag();
    if (written)
        entry.m_tagPresence = tag.Presence();
    return {written ? kResultOk : kResultUnexpected, 0};
}
