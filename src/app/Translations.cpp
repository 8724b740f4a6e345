// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

QStringList TranslationFolders() {
    return {QDir(QCoreApplication::applicationDirPath())
                .filePath(QStringLiteral(TESSEL_INSTALLED_TRANSLATIONS)),
            QStringLiteral(TESSEL_BUILD_TRANSLATIONS)};
}

bool InstallTranslations(QCoreApplication& application, const QLocale& locale) {
    // QLocale::system() takes its languages from LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
    bool found = false;
    auto* tessel = new QTranslator(&application);
    for (const QString& folder : TranslationFolders()) {
        if (tessel->load(locale, QStringLiteral("tessel"), QStringLiteral("_"), folder)) {
            found = QCoreApplication::installTranslator(tessel);
            break;
        }
    }
    if (!found)
        delete tessel;
    // Qt's own, where the system has it: the buttons of the standard dialogs.
    auto* qt = new QTranslator(&application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return found;
}
