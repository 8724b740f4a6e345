// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "model/TesselSession.h"
#include "model/TextField.h"
#include "transform/CommandOutcome.h"

// The seven text commands of the Tools menu over the whole list. In normal mode they
// rewrite every row's new name (never its extension); in MP3 mode the tag fields ticked in
// the field choice. Each run is one undo step, or none when nothing changed.

enum class ETextOperation {
    SentenceCase,
    Lowercase,
    Uppercase,
    TitleCase,
    ToggleCase,
    Swap,  // around the session's middle string
    InsertSpaces,
};

// The tag columns the text commands and Replace All may change, in the order they are
// visited; entry i belongs to the field choice flag i.
inline constexpr std::array<int, 4> kTextTagColumns = {kColTitle, kColArtist, kColAlbum,
                                                       kColComment};

// The tag field behind one of kTextTagColumns.
const CTextField& TagField(const CHitDoc& entry, int column);

// One cell's text after an operation: the operation, then leading white space removed
// from any result longer than one character ('  My File' lowercased is 'my file'; a lone
// space stays).
void TransformField(CTextField& field, ETextOperation operation, const std::string& middle);

// The tag fields a text command changes in MP3 mode, as the field choice holds them:
// Title, Artist, Album, Comment.
using FieldChoice = std::array<bool, 4>;

// The transformation driver. In MP3 mode it first opens the Options sheet at the
// "ID3 Editor" page (Cancel ends the command) and goes on with the field choice it left;
// then as the second form. Swap uses session.m_strMiddle as it stands.
ECommandOutcome TransformNames(CTesselSession& session, ETextOperation operation);
// The driver with the field choice given (used in MP3 mode only; the sheet is not shown):
// every visited cell is transformed and written back, changed or not.
ECommandOutcome TransformNames(CTesselSession& session, ETextOperation operation,
                               const FieldChoice& fields);

// The Swap command: asks for the middle string (offered as " - " every time), keeps the
// answer in session.m_strMiddle whether the user confirms or cancels, and on OK runs the
// driver with it.
ECommandOutcome SwapNames(CTesselSession& session);
// Swap around the middle string given, which the session keeps, with the field choice
// given (MP3 mode).
ECommandOutcome SwapNames(CTesselSession& session, const std::string& middle,
                          const FieldChoice& fields);
