// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWizard>

#include "model/Prompts.h"

class CWizard1;
class CWizard2;
class CWizard3;

// The Rename Wizard: three pages that gather the numbering settings. Going back keeps
// what the later pages hold, and each page's sample is brought up to date whenever the
// page is shown.
class CRenameWizard : public QWizard {
    Q_OBJECT
public:
    explicit CRenameWizard(const SWizardInput& input, QWidget* parent = nullptr);

    // The settings as the pages hold them, with the values as read from their boxes.
    SNumberingSettings Settings() const;

    CWizard1* Page1() const { return m_pPage1; }
    CWizard2* Page2() const { return m_pPage2; }
    CWizard3* Page3() const { return m_pPage3; }

    // Runs the wizard modally: true with the settings after Finish, false after Cancel.
    static bool Run(QWidget* parent, const SWizardInput& input, SNumberingSettings& settings);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PageShown(int id);

    CWizard1* m_pPage1;
    CWizard2* m_pPage2;
    CWizard3* m_pPage3;
};
