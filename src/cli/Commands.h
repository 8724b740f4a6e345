#pragma once

class CCliArgs;

// The commands of tessel-cli; each returns the exit status.
int RunAdd(const CCliArgs& args);
int RunRemove(const CCliArgs& args);
int RunShow(const CCliArgs& args);
int RunSort(const CCliArgs& args);
int RunRename(const CCliArgs& args);
int RunExport(const CCliArgs& args);
int RunCase(const CCliArgs& args);
int RunSwap(const CCliArgs& args);
int RunSpaces(const CCliArgs& args);
int RunReplace(const CCliArgs& args);
int RunNumber(const CCliArgs& args);
int RunGo(const CCliArgs& args);
int RunUndo(const CCliArgs& args);
int RunTags(const CCliArgs& args);
int RunTag(const CCliArgs& args);
int RunNameToTag(const CCliArgs& args);
int RunTagToName(const CCliArgs& args);
