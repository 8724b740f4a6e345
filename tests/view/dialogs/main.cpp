#include <QApplication>

#include "DialogTestRuns.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = RunFindReplaceDlgTests(argc, argv);
    failures += RunSmallDialogsTests(argc, argv);
    failures += RunRenameWizardTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
