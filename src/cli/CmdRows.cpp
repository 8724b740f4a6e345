#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "files/FileAdder.h"
#include "files/RemoveCommand.h"
#include "model/CellEdit.h"
#include "platform/FolderListing.h"
#include "platform/PathFacts.h"

namespace {

// The folders a walk has entered, by device and inode: a folder met twice (through a
// mount of a folder inside itself, say) is walked once.
using CVisited = std::set<std::pair<dev_t, ino_t>>;

// The files inside a folder and its subfolders, depth first, each folder's names sorted
// bytewise: what a person would pick in the Add dialog folder by folder. Links inside are
// not followed: each is a row of its own.
bool CollectFiles(const std::string& folder, std::vector<std::string>& files, CVisited& visited) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0)
        return ReportError(folder, std::strerror(errno)) == 0;
    if (!visited.emplace(st.st_dev, st.st_ino).second)
        return true;
    std::vector<std::string> names;
    if (!ListFolder(folder, names))
        return ReportError(folder, std::strerror(errno)) == 0;
    std::sort(names.begin(), names.end());
    bool ok = true;
    for (const std::string& name : names) {
        std::string path = folder == "/" ? "/" + name : folder + "/" + name;
        SPathFacts facts;
        if (!QueryPath(path, facts))
            continue;
        if (facts.bIsFolder)
            ok = CollectFiles(path, files, visited) && ok;
        else
            files.push_back(path);
    }
    return ok;
}

// A path named on the command line that is a folder, or a link that leads to one.
bool NamesAFolder(const std::string& path, const SPathFacts& facts) {
    struct stat st;
    return facts.bIsFolder || (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

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
    int status = 0;
    std::vector<std::string> files;
    for (size_t i = 1; i < args.Positional().size(); ++i) {
        std::string path = AbsolutePath(args.At(i));
        SPathFacts facts;
        if (!QueryPath(path, facts))
            status = ReportError(args.At(i), std::strerror(ENOENT));
        else if (!NamesAFolder(path, facts))
            files.push_back(path);
        else if (!args.Has("recursive"))
            status = ReportError(args.At(i), "is a folder; --recursive adds the files in it");
        else if (CVisited visited; !CollectFiles(path, files, visited))
            status = 1;
    }
    list.Prompts().m_filesToAdd = std::move(files);
    AddCommand(list.Session());
    return list.SaveIfChanged() ? status : 1;
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
    return list.SaveIfChanged() && list.Prompts().m_nErrors == 0 ? 0 : 1;
}
