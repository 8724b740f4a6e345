// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TesselApp.h"

#include <QTimer>

#include "app/AppCommandLine.h"
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

bool CTesselApp::Start(const std::vector<std::string>& arguments) {
    CAppCommandLine commandLine;
    commandLine.Process(arguments);
    m_bQuitAfterLoad = commandLine.QuitAfterLoad();
    m_prompts.SetUnattended(m_bQuitAfterLoad);

    m_pFrame->RestoreLayout();
    m_pFrame->show();
    bool opened = true;
    if (commandLine.ListPath())
        opened = m_pFrame->Documents().OpenPath(*commandLine.ListPath());
    m_pFrame->UpdateCommandStates();
    if (!m_bQuitAfterLoad)
        QTimer::singleShot(0, m_pFrame.get(), [frame = m_pFrame.get()] {
            frame->OfferInterruptedRuns(true);
            frame->OfferForOpenedLists();
        });
    return opened;
}
