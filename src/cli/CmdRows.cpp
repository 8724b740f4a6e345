#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "cli/CliArgs.h"
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

int RunAdd(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    std::vector<std::string> paths(args.Positional().begin() + 1, args.Positional().end());
    std::vector<SAddProblem> problems;
    std::vector<SFoundFile> files = CollectFilesToAdd(paths, args.Has("recursive"), problems);
    for (const SAddProblem& problem : problems)
        ReportError(problem.strPath, problem.problem == EAddProblem::IsFolder
                                         ? "is a folder; --recursive adds the files in it"
                                         : std::strerror(problem.nError));
    AddCommand(list.Session(), files);
    return list.SaveIfChanged() && problems.empty() ? 0 : 1;
}

int RunRemove(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    CRenameList& rows = list.Session().List();
    std::vector<int> chosen;
    for (size_t i = 1; i < args.Positional().size(); ++i) {
        int row = RowIndex(args.At(i), rows.GetCount());
        if (row < 0)
            return ReportError("row " + args.At(i), "no such row; the list has " +
                                                        std::to_string(rows.GetCount()) + " rows");
        chosen.push_back(row);
    }
    rows.DeselectAll();
    for (int row : chosen)
        rows.SetSelected(row, true);
    Remove(list.Session());
    return list.SaveIfChanged() ? 0 : 1;
}

int RunRename(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    int row = RowIndex(args.At(1), list.Session().List().GetCount());
    if (row < 0)
        return ReportError("row " + args.At(1),
                           "no such row; the list has " +
                               std::to_string(list.Session().List().GetCount()) + " rows");
    CommitCellEdit(list.Session(), row, 0, args.At(2));
    return list.SaveIfChanged() && list.Prompts().Errors() == 0 ? 0 : 1;
}
