#include "mp3/TagFile.h"

#include "model/HitDoc.h"
#include "mp3/ID3Tag.h"

bool ReadEntryTag(CHitDoc& entry, IPrompts* prompts) {
    CID3Tag tag(prompts);
    if (!tag.ReadTag(entry.m_strPath.Get()))
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
    return true;
}
