// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/TagTextLoss.h"

#include "model/ColumnTitles.h"
#include "model/HitDoc.h"
#include "model/TesselSession.h"
#include "mp3/ID3Tag.h"
#include "mp3/Latin1Text.h"

namespace {

bool LosesCharacters(const std::string& text) {
    size_t offset = FirstUnheldCharacter(text);
    return offset != std::string::npos && offset < CID3Tag::kTextWidth;
}

}  // namespace

std::vector<STagTextLoss> FindTagTextLoss(const STagFields& tag) {
    const std::pair<int, const CTextField*> fields[] = {{kColTitle, &tag.title},
                                                        {kColArtist, &tag.artist},
                                                        {kColAlbum, &tag.album},
                                                        {kColComment, &tag.comment}};
    std::vector<STagTextLoss> losses;
    for (const auto& [column, field] : fields)
        if (LosesCharacters(field->Get()))
            losses.push_back({column, CID3Tag::StoredText(field->Get())});
    return losses;
}

std::string TagTextLossNote(const std::vector<STagTextLoss>& losses) {
    if (losses.empty())
        return {};
    std::string names;
    for (size_t i = 0; i < losses.size(); ++i) {
        if (i > 0)
            names += i + 1 == losses.size() ? " and " : ", ";
        names += ColumnTitle(EMode::Mp3, losses[i].nColumn);
    }
    return names + ": " + kTagTextLossText;
}
