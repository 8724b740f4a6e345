// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CTesselSession;

// Column sorting, as a click on a column title does it. Columns are positions in the
// current mode: normal 0 New Filename (m_strNewName), 1 Current Filename (m_strName with
// its extension), 2 Type (m_strExt), 3 Size (the full 64-bit m_nSize), 4 Modified
// (m_timeModified, signed), 5 In Folder (m_strPath); MP3 0 m_strName, 1 Title, 2 Artist,
// 3 Album, 4 Year (signed, -1 first), 5 Genre (by number), 6 Comment.
// Texts compare bytewise with ASCII letters folded to lower case, so "_" sorts before
// any letter. Equal rows keep their order. A column the mode does not have leaves the
// order as it is.
//
// How text columns compare: Folded as above, or Natural (CNaturalCollation: numbers by
// their value, case ignored, accents weighed as the locale's collation weighs them).
enum class ETextOrder { Folded, Natural };

// Both end any open editor, reorder the rows (each keeping its entry, selection and
// focus) and commit one undo step that puts the entries' contents back row by row; they
// return whether the order changed.

// The click: flips the column's direction flag (CTesselSession::m_sortFlags, shared by
// both modes and never reset) and sorts ascending when the flag is now set, descending
// when it is now clear, texts in natural order when CTesselSession::m_bNaturalOrder is set.
// A column outside 0 to 6 does nothing.
bool SortByColumn(CTesselSession& session, int column);

// Sorts in a given direction and leaves the direction flags alone.
bool SortRows(CTesselSession& session, int column, bool ascending,
              ETextOrder textOrder = ETextOrder::Folded);

// The View menu's "Natural Order": flips whether column clicks sort texts in natural order
// and keeps the choice in the profile (section "View", key "NaturalOrder", 1 for on), where
// the session reads it when it starts.
inline constexpr const char* kNaturalOrderSection = "View";
inline constexpr const char* kNaturalOrderKey = "NaturalOrder";
void ToggleNaturalOrder(CTesselSession& session);
