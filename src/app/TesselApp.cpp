#include "app/TesselApp.h"

#include <QCommandLineParser>
#include <QTimer>

#include "app/DocumentCommands.h"
#include "app/MainFrame.h"

namespace {

std::unique_ptr<QSettings> OpenSettings(const QString& path) {
    if (path.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Tessel"), QStringLiteral("Tessel"));
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

}  // namespace

CTesselApp::CTesselApp(const QString& settingsPath)
    : m_pSettings(OpenSettings(settingsPath)),
      m_profile(*m_pSettings),
      m_prompts(m_profile),
      m_session(m_prompts, m_profile),
      m_doc(m_session) {
    m_pFrame = std::make_unique<CMainFrame>(m_session, m_doc, m_profile, *m_pSettings);
    m_prompts.SetParentWindow(m_pFrame.get());
}

CTesselApp::~CTesselApp() {
    m_pFrame.reset();
}

bool CTesselApp::Start(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tessel renames files in batches and edits the ID3v1 tags of MP3 "
                       "files."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption quit(QStringLiteral("quit-after-load"),
                            QStringLiteral("Quit as soon as the window shows the list."));
    parser.addOption(quit);
    parser.addPositionalArgument(QStringLiteral("list"),
                                 QStringLiteral("A rename list (.tsl) to open."),
                                 QStringLiteral("[list]"));
    parser.process(arguments);
    m_bQuitAfterLoad = parser.isSet(quit);
    m_prompts.SetUnattended(m_bQuitAfterLoad);

    m_pFrame->RestoreLayout();
    m_pFrame->show();
    bool opened = true;
    if (!parser.positionalArguments().isEmpty())
        opened = m_pFrame->Documents().OpenPath(parser.positionalArguments().constFirst());
    m_pFrame->UpdateCommandStates();
    if (!m_bQuitAfterLoad)
        QTimer::singleShot(0, m_pFrame.get(), [frame = m_pFrame.get()] {
            frame->OfferInterruptedRuns(true);
            frame->OfferForOpenedLists();
        });
    return opened;
}
