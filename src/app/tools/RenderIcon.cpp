// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the application's SVG icon into the PNG sizes of the hicolor icon theme, for
// desktops that do not read SVG icons. Usage: tessel-render-icon SVG SIZE PNG
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 4) {
        std::fputs("usage: tessel-render-icon SVG SIZE PNG\n", stderr);
        return 2;
    }
    int size = QByteArray(argv[2]).toInt();
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setScaledSize(QSize(size, size));
    QImage image = reader.read();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "tessel-render-icon: %s\n", qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
