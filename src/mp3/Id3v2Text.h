// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The texts of ID3v2 text and comment frames decoded straight from their bytes, each to
// what TagLib reads from the same bytes. Each decoder gives up (false) on anything TagLib
// could read otherwise than plainly: an unknown encoding byte, text that is not valid in
// its encoding (UTF-8 that does not decode, UTF-16 of odd length, without the byte order
// mark it needs or with an unpaired surrogate), or a TCON number in a form other than
// plain digits.

// The pieces of a text frame's data (encoding byte, then the text), in UTF-8: the text
// split at its encoding's null, the nulls at its end and the empty pieces dropped. Later
// UTF-16 pieces without a byte order mark take the first piece's.
bool DecodeId3v2TextPieces(std::string_view data, std::vector<std::string>& pieces);

// A comment frame's description and text, in UTF-8: after the encoding byte and a
// three-byte language, the description up to its null, the text after it up to the next.
bool DecodeId3v2Comment(std::string_view data, std::string& description, std::string& text);

// TCON's pieces as TagLib hands them on: leading genre numbers in parentheses ("(17)Rock")
// each become a piece of their own unless the text after them is the number's name.
bool Id3v2GenrePieces(const std::vector<std::string>& pieces, std::vector<std::string>& genres);
