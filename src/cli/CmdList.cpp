// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/CliInput.h"
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

ERecordFormat FormatOf(const SCliInput& input) {
    return input.bZero ? ERecordFormat::Nul : ERecordFormat::Lines;
}

}  // namespace

int RunShow(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList, false))
        return 1;
    FieldChoice fields;
    if (input.bMp3 && !EnterMp3Mode(list, input, fields))
        return 1;
    PrintRows(list.Session().List(), FormatOf(input));
    return 0;
}

int RunSort(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList))
        return 1;
    int column = ColumnFromTitle(EMode::Normal, input.words[0]);
    if (column < 0)
        return ReportError(input.words[0],
                           "no such column; the columns are New Filename, Current "
                           "Filename, Type, Size, Modified and In Folder");
    SortRows(list.Session(), column, !input.bDescending,
             input.bNatural ? ETextOrder::Natural : ETextOrder::Folded);
    return list.SaveIfChanged() ? 0 : 1;
}

int RunExport(const SCliInput& input) {
    CCliList list;
    if (!list.Load(input.strList, false))
        return 1;
    const std::string& target = input.words[0];
    if (target == "-") {
        bool written = WriteNewNames(list.Session().List(), stdout, FormatOf(input)) &&
                       std::fflush(stdout) == 0;
        return written ? 0 : ReportError("standard output", std::strerror(errno));
    }
    list.Prompts().SetSubject(target);
    return SaveToTextFile(list.Session(), target, FormatOf(input)) ? 0 : 1;
}
