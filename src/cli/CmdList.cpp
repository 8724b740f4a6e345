#include <cstdio>

#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "cli/TagRun.h"
#include "model/ColumnTitles.h"
#include "model/SortRows.h"
#include "model/TextExport.h"

namespace {

void PrintRows(const CRenameList& list) {
    for (int row = 0; row < list.GetCount(); ++row) {
        for (int column = 0; column < list.GetColumnCount(); ++column) {
            if (column > 0)
                std::fputc('\t', stdout);
            std::string cell = list.CellText(row, column);
            std::fwrite(cell.data(), 1, cell.size(), stdout);
        }
        std::fputc('\n', stdout);
    }
}

}  // namespace

int RunShow(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0), false))
        return 1;
    FieldChoice fields;
    if (args.Has("mp3") && !EnterMp3Mode(list, args, fields))
        return 1;
    PrintRows(list.Session().List());
    return 0;
}

int RunSort(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0)))
        return 1;
    int column = ColumnFromTitle(EMode::Normal, args.At(1));
    if (column < 0)
        return ReportError(args.At(1),
                           "no such column; the columns are New Filename, Current "
                           "Filename, Type, Size, Modified and In Folder");
    SortRows(list.Session(), column, !args.Has("descending"));
    return list.SaveIfChanged() ? 0 : 1;
}

int RunExport(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0), false))
        return 1;
    list.Prompts().SetSubject(args.At(1));
    return SaveToTextFile(list.Session(), args.At(1)) ? 0 : 1;
}
