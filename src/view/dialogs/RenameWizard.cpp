// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/RenameWizard.h"

#include "view/dialogs/Wizard1.h"
#include "view/dialogs/Wizard2.h"
#include "view/dialogs/Wizard3.h"

CRenameWizard::CRenameWizard(const SWizardInput& input, QWidget* parent)
    : QWizard(parent),
      m_pPage1(new CWizard1(input.strCurrentName)),
      m_pPage2(new CWizard2(*m_pPage1, input.strSampleExt)),
      m_pPage3(new CWizard3(*m_pPage1, *m_pPage2, input.strSampleExt)) {
    setWindowTitle(tr("Rename Wizard"));
    setWizardStyle(QWizard::ClassicStyle);
    // Each page is set up once, on its first showing; Back keeps what the later pages hold.
    setOptions(QWizard::IndependentPages);
    addPage(m_pPage1);
    addPage(m_pPage2);
    addPage(m_pPage3);
    connect(this, &QWizard::currentIdChanged, this, &CRenameWizard::PageShown);
}

SNumberingSettings CRenameWizard::Settings() const {
    SNumberingSettings settings;
    settings.bStandardName = m_pPage1->StandardName();
    settings.strName = m_pPage1->Filename();
    settings.nDigits = m_pPage2->Digits();
    settings.nIncrement = m_pPage2->Increment();
    settings.nStart = m_pPage2->Start();
    settings.nOffset = m_pPage3->Offset();
    return settings;
}

bool CRenameWizard::Run(QWidget* parent, const SWizardInput& input, SNumberingSettings& settings) {
    CRenameWizard wizard(input, parent);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    settings = wizard.Settings();
    return true;
}

void CRenameWizard::showEvent(QShowEvent* event) {
    QWizard::showEvent(event);
    // The size a dialog opens at is worked out before the first page is laid out, which
    // would cut off the right of the page.
    resize(size().expandedTo(sizeHint()));
}

void CRenameWizard::PageShown(int id) {
    QWizardPage* shown = page(id);
    if (!shown)
        return;
    setWindowTitle(shown->windowTitle());
    // The wizard gives the focus to a page's first control once the page is shown, which
    // would leave the filename to a click before a person can type it.
    if (shown == m_pPage1)
        m_pPage1->FocusFilename();
    // A page set up earlier shows a sample of the first page's filename as it is now.
    if (shown == m_pPage2)
        m_pPage2->Refresh();
    else if (shown == m_pPage3)
        m_pPage3->Refresh();
}
