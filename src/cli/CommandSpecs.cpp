#include "cli/CommandTable.h"
#include "cli/Commands.h"

const std::vector<SCommandSpec>& CommandTable() {
    static const std::vector<SCommandSpec> table = {
        {"show",
         "LIST [--mp3]",
         "print the rows, one line each, the cells tab-separated",
         "The cells of the normal columns (New Filename, Current Filename, Type, Size, Modified,\n"
         "In Folder) in column order.",
         1,
         1,
         {},
         RunShow},
        {"sort",
         "LIST COLUMN [--descending]",
         "sort the rows by a column, as a click on its title",
         "COLUMN is a column title: New Filename, Current Filename, Type, Size, Modified or\n"
         "In Folder (letter case does not matter). Texts sort with letters folded to lower case,\n"
         "Size and Modified as numbers; equal rows keep their order.",
         2,
         2,
         {{"descending", nullptr, "largest first"}},
         RunSort},
        {"export",
         "LIST TEXTFILE",
         "Save to Text File: the new file names, one per line",
         "Writes each row's new name with its extension, without the folder, in row order.",
         2,
         2,
         {},
         RunExport},
    };
    return table;
}
