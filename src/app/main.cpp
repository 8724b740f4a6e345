#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "app/TesselApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tessel"));
    QApplication::setApplicationName(QStringLiteral("Tessel"));
    QApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.tessel.Tessel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tessel.svg")));

    CTesselApp tessel;
    bool opened = tessel.Start(QApplication::arguments());
    if (tessel.QuitAfterLoad()) {
        QApplication::processEvents();
        return opened ? 0 : 1;
    }
    return QApplication::exec();
}
