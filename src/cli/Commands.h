// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct SCliInput;

// The commands of tessel-cli; each returns the exit status.
int RunAdd(const SCliInput& input);
int RunRemove(const SCliInput& input);
int RunShow(const SCliInput& input);
int RunSort(const SCliInput& input);
int RunRename(const SCliInput& input);
int RunExport(const SCliInput& input);
int RunCase(const SCliInput& input);
int RunSwap(const SCliInput& input);
int RunSpaces(const SCliInput& input);
int RunReplace(const SCliInput& input);
int RunNumber(const SCliInput& input);
// Go ends the process itself once a run went ahead (EndProcess): its list and records are
// many.
int RunGo(const SCliInput& input);
int RunUndo(const SCliInput& input);
int RunHistory(const SCliInput& input);
int RunTags(const SCliInput& input);
int RunTag(const SCliInput& input);
int RunNameToTag(const SCliInput& input);
int RunTagToName(const SCliInput& input);
int RunGenres(const SCliInput& input);
