// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "model/Prompts.h"
#include "model/RenameList.h"

class CResultsList;
struct SListState;
struct SRunOutcome;
struct STagPresence;

// The core speaks English. These are its texts as the window shows them, in the language
// of the translation loaded: each found by something that does not change with the words
// (a message id, a result code, a column, the counts), never by reading a text that names a
// file. Without a translation they are the core's own English texts.

// A message of the core. Its English text is worded anew only when the message table knows
// its form and the parts reproduce the text exactly; any other text is shown as it came.
QString CoreMessageText(EMessageId id, const std::string& text,
                        const std::vector<std::string>& parts = {});
// The column titles of the list in either mode.
QString ColumnTitleText(EMode mode, int column);
// "Preview" or "Results".
QString ResultsTitleText(const CResultsList& results);
// The verdict of a row on its own ("File already exists").
QString VerdictText(int code);
// Which tags a row's file holds, for its tooltip in MP3 mode ("Tags: ID3v1 + ID3v2.4").
QString TagPresenceDisplayText(const STagPresence& presence);
// The comment of one row of a preview or results: its verdict, the route a rename takes, or
// the system's reason for a failure.
QString ResultCommentText(const CResultsList& results, size_t row);
// The counts above the rows, and why OK stays disabled ("" when it does not).
QString ResultsSummaryText(const CResultsList& results);
QString ConfirmRefusalText(const CResultsList& results);
// The status bar's counts of the list, and of an undo that ended.
QString ListStateDisplayText(const SListState& state);
QString UndoSummaryText(const SRunOutcome& outcome);
// A count with its digits grouped by thousands as the language writes them.
QString CountText(size_t count);
