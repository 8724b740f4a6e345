// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "cli/CliInput.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "files/AddCollector.h"
#include "files/FileAdder.h"
#include "files/RemoveCommand.h"
#include "model/CellEdit.h"

namespace {

// A 1-based row number of the list, as a 0-based row; -1 when it is not one.
int RowIndex(const std::string& text, int rows) {
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || number < 1 || number > rows)
        return -1;
    return static_cast<int>(number - 1);
}

}  // namespace

int RunAdd(const SCliInput& input) {
    CCliList list;
    if (!list.LoadOrStart(input.strList))
        return 1;
    std::vector<SAddProblem> problems;
    CFoundFiles files = CollectFilesToAdd(input.words, input.bRecursive, problems);
    for (const SAddProblem& problem : problems)
        ReportError(problem.strPath, std::strerror(problem.nError));
    AddCommand(list.Session(), std::move(files));
    return list.SaveIfChanged() && problems.empty() ? 0 : 1;
}

int RunRemove(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    CRenameList& rows = list.Session().List();
    std::vector<int> chosen;
    for (const std::string& word : input.words) {
        int row = RowIndex(word, rows.GetCount());
        if (row < 0)
            return ReportError("row " + word,
                               "no such row; the list has " + Counted(static_cast<size_t>(rows.GetCount()), "row"));
        chosen.push_back(row);
    }
    rows.DeselectAll();
    for (int row : chosen)
        rows.SetSelected(row, true);
    Remove(list.Session());
    return list.SaveIfChanged() ? 0 : 1;
}

int RunRename(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    int row = RowIndex(input.words[0], list.Session().List().GetCount());
    if (row < 0)
        return ReportError("row " + input.words[0],
                           "no such row; the list has " +
                               Counted(static_cast<size_t>(list.Session().List().GetCount()), "row"));
    CommitCellEdit(list.Session(), row, 0, input.words[1]);
    return list.SaveIfChanged() && list.Prompts().Errors() == 0 ? 0 : 1;
}
