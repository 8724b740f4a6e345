#include <cstdio>

#include "cli/CliArgs.h"
#include "cli/CliList.h"
#include "cli/Commands.h"
#include "cli/TagRun.h"
#include "model/ColumnTitles.h"
#include "model/RecordText.h"
#include "model/SortRows.h"
#include "model/TextExport.h"

namespace {

void PrintRows(const CRenameList& list, ERecordFormat format) {
    CRecordText records(format);
    for (int row = 0; row < list.GetCount(); ++row) {
        for (int column = 0; column < list.GetColumnCount(); ++column)
            records.Field(list.CellText(row, column));
        records.EndRecord();
        std::string& text = records.Text();
        std::fwrite(text.data(), 1, text.size(), stdout);
        text.clear();
    }
}

ERecordFormat FormatOf(const CCliArgs& args) {
    return args.Has("zero") ? ERecordFormat::Nul : ERecordFormat::Lines;
}

}  // namespace

int RunShow(const CCliArgs& args) {
    CCliList list;
    if (!list.Load(args.At(0), false))
        return 1;
    FieldChoice fields;
    if (args.Has("mp3") && !EnterMp3Mode(list, args, fields))
        return 1;
    PrintRows(list.Session().List(), FormatOf(args));
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
    return SaveToTextFile(list.Session(), args.At(1), FormatOf(args)) ? 0 : 1;
}
