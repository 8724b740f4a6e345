// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppCommandLine.h"
#include "app/TesselApp.h"
#include "app/Translations.h"
#include "platform/FileSizeSignal.h"

namespace {

// Qt aborts with several lines about plugins when it finds no display; one line says what
// to do instead.
bool HasDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0')
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    CAppCommandLine::NameApplication();
    {
        QCoreApplication core(argc, argv);
        CAppCommandLine().AnswerHelpOrVersion(QCoreApplication::arguments());
    }
    if (!HasDisplay()) {
        std::fputs(
            "tessel: no display to show the window on; start it on a virtual one with "
            "xvfb-run tessel\n",
            stderr);
        return 1;
    }
    IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    InstallTranslations(application);
    QApplication::setDesktopFileName(QStringLiteral("io.tessel.Tessel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tessel.svg")));

    CTesselApp tessel;
    // The arguments as bytes, less those the application took (-platform and the like).
    bool opened = tessel.Start(std::vector<std::string>(argv, argv + argc));
    // Quits from the event loop, once the events that showing the window posted are handled.
    if (tessel.QuitAfterLoad())
        QTimer::singleShot(0, &application, [opened] { QApplication::exit(opened ? 0 : 1); });
    return QApplication::exec();
}
