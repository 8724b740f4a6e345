// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/Wizard1.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include "transform/Numbering.h"
#include "view/dialogs/WizardPageLayout.h"

CWizard1::CWizard1(const std::string& currentName, QWidget* parent)
    : QWizardPage(parent),
      m_strCurrentName(currentName),
      m_currentShown(QString::fromStdString(currentName)),
      m_pCurrent(new QRadioButton(tr("Use &current filename"))),
      m_pStandard(new QRadioButton(tr("Use &standard filename"))),
      m_pFilename(new QLineEdit) {
    setWindowTitle(tr("Rename Wizard - Step 1 of 3"));
    QBoxLayout* column = WizardPageLayout(this);
    column->addWidget(WizardText(
        tr("Rename Wizard enables you to rename files according to numerical sequence.")));
    column->addSpacing(16);
    column->addWidget(m_pCurrent);
    column->addWidget(m_pStandard);
    column->addSpacing(8);
    auto* nameRow = new QFormLayout;
    auto* label = new QLabel(tr("&Filename:"));
    label->setBuddy(m_pFilename);
    nameRow->addRow(label, m_pFilename);
    column->addLayout(nameRow);
    column->addStretch();
    column->addWidget(WizardText(tr("To continue, click Next.")));

    connect(m_pCurrent, &QRadioButton::clicked, this, &CWizard1::UseCurrentName);
    connect(m_pStandard, &QRadioButton::clicked, this, &CWizard1::UseStandardName);
}

std::string CWizard1::Filename() const {
    const QString text = m_pFilename->text();
    return text == m_currentShown ? m_strCurrentName : text.toStdString();
}

bool CWizard1::StandardName() const {
    return m_pStandard->isChecked();
}

void CWizard1::initializePage() {
    m_pStandard->setChecked(true);
    m_pFilename->setEnabled(true);
    m_pFilename->setText(m_currentShown);
}

void CWizard1::FocusFilename() {
    if (!m_pFilename->isEnabled())
        return;
    m_pFilename->setFocus(Qt::OtherFocusReason);
    m_pFilename->selectAll();
}

bool CWizard1::validatePage() {
    if (!CheckWizardFilename(Filename()).empty()) {
        // The core's one reason, in the words of the window's other core messages.
        QMessageBox::critical(this, QStringLiteral("Tessel"),
                              QCoreApplication::translate("CoreMessage", kEnterFilenameMessage));
        return false;
    }
    return true;
}

void CWizard1::UseCurrentName() {
    m_pFilename->setText(m_currentShown);
    m_pFilename->setEnabled(false);
}

void CWizard1::UseStandardName() {
    m_pFilename->setEnabled(true);
    m_pFilename->setFocus(Qt::OtherFocusReason);
    m_pFilename->selectAll();
}
