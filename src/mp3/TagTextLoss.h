// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

struct STagFields;

// ID3v1 keeps text as Latin-1: a character above U+00FF is written as "?". A write goes
// ahead all the same; this tells which fields it changes so, for the front ends to say.

inline constexpr const char* kTagTextLossText = "characters ID3v1 cannot hold become ?";

// A text field that loses characters when written.
struct STagTextLoss {
    int nColumn = 0;        // kColTitle, kColArtist, kColAlbum or kColComment
    std::string strStored;  // what the field reads as after the write
};

// The text fields of the tag that lose characters when written, in column order. Only the
// bytes the field keeps count: a character beyond its 30 bytes is cut, not turned into
// "?", and a cut alone is no loss here.
std::vector<STagTextLoss> FindTagTextLoss(const STagFields& tag);

// The comment of a row whose write loses characters, naming the fields before
// kTagTextLossText: "Title and Artist: characters ID3v1 cannot hold become ?". Empty for
// no loss.
std::string TagTextLossNote(const std::vector<STagTextLoss>& losses);
