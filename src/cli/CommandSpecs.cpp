#include "cli/CommandTable.h"
#include "cli/Commands.h"

const std::vector<SCommandSpec>& CommandTable() {
    static const std::vector<SCommandSpec> table = {
        {"add",
         "LIST PATH... [--recursive]",
         "add files to the list, as the Add command does",
         "Each file becomes a row at the end of the list, in the order given; a file already\n"
         "in the list is skipped. Folders are added only with --recursive, as the files inside\n"
         "them, depth first, each folder's names sorted bytewise.",
         2,
         -1,
         {{"recursive", nullptr, "add the files inside folders too"}},
         RunAdd},
        {"remove",
         "LIST ROW...",
         "remove rows by number (1 is the first row)",
         "The files themselves are not touched.",
         2,
         -1,
         {},
         RunRemove},
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
        {"go",
         "LIST [--ext EXT] [--dry-run] [--yes] [--on-error stop|continue]",
         "rename the files of the list (Go), with a preview and an undo journal",
         "Prints the preview, one line per row: Before, After, Comment. The run goes ahead only\n"
         "when every row is OK, and without --yes only when \"Proceed? [y/N]\" is answered y on\n"
         "a terminal. Rows that fail are reported on stderr. Exit status: 0 every file renamed,\n"
         "2 the preview blocked the run, 1 a rename failed or any other error.",
         1,
         1,
         {{"ext", "EXT", "give every file this extension (\".txt\"; \"\" for none)"},
          {"dry-run", nullptr, "print the preview and stop"},
          {"yes", nullptr, "go ahead without asking"},
          {"on-error", "stop|continue", "after a failed rename (default: stop)"}},
         RunGo},
        {"undo",
         "LIST",
         "put back the last run made on this list",
         "Every completed rename of the run is put back, also of a run that was killed halfway.\n"
         "A file is never overwritten: a row whose old name is taken is reported and left, and\n"
         "a later undo tries it again.",
         1,
         1,
         {},
         RunUndo},
    };
    return table;
}
