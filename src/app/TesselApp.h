// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <memory>
#include <string>
#include <vector>

#include "app/SettingsProfile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "view/QtPrompts.h"

class CMainFrame;

// The application: its settings, the one rename list with its document, the prompts and
// the main window, put together in that order.
class CTesselApp {
public:
    // settingsPath empty: the user's settings (organisation and application "Tessel").
    explicit CTesselApp(const QString& settingsPath = QString());
    ~CTesselApp();

    // Carries out the command line as the program received it, the program's name first
    // (an optional list to open, --quit-after-load), and shows the window. Returns false
    // when a list was named and could not be opened; the window is open with an empty list
    // then all the same.
    bool Start(const std::vector<std::string>& arguments);
    // Whether the command line asked to quit once the list is shown.
    bool QuitAfterLoad() const { return m_bQuitAfterLoad; }

    CMainFrame& Frame() { return *m_pFrame; }
    CTesselSession& Session() { return m_session; }
    QSettings& Settings() { return *m_pSettings; }

private:
    std::unique_ptr<QSettings> m_pSettings;
    CSettingsProfile m_profile;
    CQtPrompts m_prompts;
    CTesselSession m_session;
    CTesselDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
    bool m_bQuitAfterLoad = false;
};
