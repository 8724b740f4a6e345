// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

// The window's command line: an optional list to open and --quit-after-load, besides the
// help and version options.
class CAppCommandLine {
public:
    CAppCommandLine();

    // Names the program and its version, which the version option and the settings use.
    static void NameApplication();
    // Prints the help or the version and exits, when valid arguments ask for one of them;
    // returns otherwise. A QCoreApplication is all it needs, so it works without a display.
    void AnswerHelpOrVersion(const QStringList& arguments);
    // Takes the arguments as the program received them, the program's name first. A wrong
    // one is reported and the program exits, as it does for help and version.
    void Process(const std::vector<std::string>& arguments);

    bool QuitAfterLoad() const { return m_bQuitAfterLoad; }
    // The list to open, byte for byte as given.
    const std::optional<std::string>& ListPath() const { return m_listPath; }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_quit;
    bool m_bQuitAfterLoad = false;
    std::optional<std::string> m_listPath;
};
