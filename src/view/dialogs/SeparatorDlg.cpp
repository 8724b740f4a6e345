// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/SeparatorDlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CSeparatorDlg::CSeparatorDlg(const SSeparatorChoice& choice, QWidget* parent)
    : QDialog(parent),
      m_pSeparator(new QLineEdit(QString::fromStdString(choice.strSeparator))),
      m_pArtistFirst(new QRadioButton(tr("&Artist - Title"))),
      m_pTitleFirst(new QRadioButton(tr("&Title - Artist"))) {
    setWindowTitle(tr("Filename <-> ID3 Tag"));

    auto* separatorGroup = new QGroupBox(tr("Please enter the &separator string"));
    auto* separatorLayout = new QVBoxLayout(separatorGroup);
    separatorLayout->addWidget(m_pSeparator);
    m_pSeparator->selectAll();

    auto* formatGroup = new QGroupBox(tr("Format"));
    auto* formatLayout = new QVBoxLayout(formatGroup);
    formatLayout->addWidget(m_pArtistFirst);
    formatLayout->addWidget(m_pTitleFirst);
    (choice.bArtistFirst ? m_pArtistFirst : m_pTitleFirst)->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(separatorGroup);
    layout->addWidget(formatGroup);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_pSeparator->setMinimumWidth(m_pSeparator->fontMetrics().averageCharWidth() * 30);
}

SSeparatorChoice CSeparatorDlg::Choice() const {
    SSeparatorChoice choice;
    choice.strSeparator = m_pSeparator->text().toStdString();
    choice.bArtistFirst = m_pArtistFirst->isChecked();
    return choice;
}

bool CSeparatorDlg::Ask(QWidget* parent, SSeparatorChoice& choice) {
    CSeparatorDlg dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}
