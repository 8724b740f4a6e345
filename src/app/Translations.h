// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

// The folders the window's translations are looked for in, in order: where the package
// installs them beside the executable, then the build tree, so that a build that was never
// installed finds its own.
QStringList TranslationFolders();

// Loads the window's translation and Qt's own (the standard buttons) for the first of the
// locale's languages that has one, and installs them in the application; without one the
// window stays English. Returns whether the window's translation was found.
bool InstallTranslations(QCoreApplication& application, const QLocale& locale = QLocale::system());
