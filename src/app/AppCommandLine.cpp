// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppCommandLine.h"

#include <QCoreApplication>
#include <QFile>

CAppCommandLine::CAppCommandLine()
    : m_quit(QStringLiteral("quit-after-load"),
             QStringLiteral("Quit as soon as the window shows the list.")) {
    m_parser.setApplicationDescription(
        QStringLiteral("Tessel renames files in batches and edits the ID3v1 and ID3v2 tags "
                       "of MP3 files."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(m_quit);
    m_parser.addPositionalArgument(QStringLiteral("list"),
                                   QStringLiteral("A rename list (.tsl) to open."),
                                   QStringLiteral("[list]"));
}

void CAppCommandLine::NameApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Tessel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSEL_VERSION));
}

void CAppCommandLine::AnswerHelpOrVersion(const QStringList& arguments) {
    // --help-all lists the window's own Qt options, which only the window's application
    // knows: it is left to Process.
    if (m_parser.parse(arguments) &&
        (m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("version"))))
        m_parser.process(arguments);
}

void CAppCommandLine::Process(const std::vector<std::string>& arguments) {
    QStringList shown;
    // Each byte as one character: the options are ASCII, and a list's path comes back
    // with the bytes it was given, which the text form cannot hold when they are not UTF-8.
    QStringList bytewise;
    for (const std::string& argument : arguments) {
        QByteArray bytes = QByteArray::fromStdString(argument);
        shown << QFile::decodeName(bytes);
        bytewise << QString::fromLatin1(bytes);
    }
    m_parser.process(shown);
    m_bQuitAfterLoad = m_parser.isSet(m_quit);
    m_listPath.reset();
    // Parses as the text form did: no option name holds a character outside ASCII.
    if (m_parser.parse(bytewise) && !m_parser.positionalArguments().isEmpty())
        m_listPath = m_parser.positionalArguments().constFirst().toLatin1().toStdString();
}
