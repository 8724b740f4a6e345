// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The six fields a row takes from an ID3v2 tag, texts in UTF-8 and whole.
struct SId3v2Fields {
    std::string strTitle;
    std::string strArtist;
    std::string strAlbum;
    std::string strYear;  // the first four digits of the recording time (TDRC, or 2.3's TYER)
    std::string strComment;
    int nGenre = -1;
    // TCON names something outside the genre table: it reads as no genre, and stays as it
    // is unless the genre is changed.
    bool bForeignGenre = false;
};

// Reads the tag's fields through TagLib: tag holds the tag's bytes from the file's start.
// False when TagLib finds no tag in them. A plain 2.3 or 2.4 tag has only the frames of
// the fields parsed; any other is read whole, and both read the same fields.
bool ReadId3v2Fields(std::string_view tag, SId3v2Fields& fields);
// The fields of a plain 2.3 or 2.4 tag decoded from the fields' frames alone, without
// TagLib; false for a tag this cannot read as TagLib would (see Id3v2Text.h).
bool ReadId3v2FieldsFromFieldFrames(std::string_view tag, SId3v2Fields& fields);
// The same with TagLib parsing the whole tag, every frame of it.
bool ReadId3v2FieldsFromWholeTag(std::string_view tag, SId3v2Fields& fields);

// The genre a TCON frame's fields name: each field a name of the table (letter case
// ignored), a number or numbers in parentheses ("(17)", "(17)Rock"); -1 when they name
// none, something outside the table, or more than one genre.
int GenreOfTcon(const std::vector<std::string>& fields);
