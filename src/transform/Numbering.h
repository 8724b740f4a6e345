// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/Prompts.h"
#include "model/TesselSession.h"
#include "transform/CommandOutcome.h"

// Sequence numbering of the new names: row i gets start + i x increment, zero-padded and
// put after, before or inside its base name (CTextField::WithNumber). Offsets count
// characters, so a number never lands inside a multi-byte character.

// Where the number goes, as the wizard's third page offers it.
enum class ENumberPosition { After, Before, Offset };

// The ranges of the wizard's arrows. The previews keep values inside them; applying the
// numbering uses the values as read.
inline constexpr int kDigitsMin = 1;
inline constexpr int kDigitsMax = 4;
inline constexpr int kIncrementMin = 1;
inline constexpr int kIncrementMax = 99;
inline constexpr int kStartMin = 0;
inline constexpr int kStartMax = 9000;

// A number box's value: the decimal number its text starts with (white space and a sign
// allowed), 0 for text that does not start with one, kept within int.
int ReadNumberBox(const std::string& text);
// The offset WithNumber receives for a position: -1 after, 0 before, else the offset.
int PositionOffset(ENumberPosition position, int offset);
// The upper end of the offset arrows: the filename's length in characters.
int MaxOffset(const std::string& filename);

inline constexpr const char* kEnterFilenameMessage = "Please enter filename";

// The wizard's only check, made when its first page is left: a filename to number. Returns
// the message to show ("Please enter filename"), or an empty text when the wizard goes on.
std::string CheckWizardFilename(const std::string& filename);

// The longest current new name (by characters; the first row wins a tie) and that row's
// extension; both empty when every new name is empty.
SWizardInput LongestNewName(const CRenameList& list);

// The second page's sample: four names numbered after the filename, each with the sample
// extension, five spaces apart ('Song01.mp3     Song02.mp3     ...'). Digits, increment and
// start are kept within the arrows' ranges.
std::string SequencePreview(const std::string& filename, int digits, int increment, int start,
                            const std::string& sampleExt);
// The third page's sample: the name the first row gets from the filename, with the sample
// extension. Digits and start are kept within their ranges, the offset within 0 to the
// filename's length.
std::string PositionPreview(const std::string& filename, int digits, int start,
                            ENumberPosition position, int offset, const std::string& sampleExt);

// Numbers every row in list order, selected or not, as one undo step, with the values as
// they are (no limits, no trimming).
ECommandOutcome ApplyNumbering(CTesselSession& session, const SNumberingSettings& settings);

// The check of the wizard's first page on Next: the filename its box holds may not be
// empty. False, after "Please enter filename" (error icon, OK), when it is.
bool CheckWizardFilename(IPrompts& prompts, const std::string& filename);

// The Rename Wizard command: nothing with an empty list or in MP3 mode; otherwise the
// wizard is asked (starting from LongestNewName) and its Finish goes on as the second form.
ECommandOutcome RenameWizard(CTesselSession& session);
// The wizard finished with these settings. With "Use current filename" the first page
// holds the longest current new name, otherwise settings.strName; an empty one is refused
// as CheckWizardFilename says (Cancelled). Nothing with an empty list or in MP3 mode.
ECommandOutcome RenameWizard(CTesselSession& session, const SNumberingSettings& settings);
