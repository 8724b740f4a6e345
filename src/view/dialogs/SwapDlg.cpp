// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/SwapDlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

CSwapDlg::CSwapDlg(const std::string& middle, QWidget* parent)
    : QDialog(parent), m_pMiddle(new QLineEdit(QString::fromStdString(middle))) {
    setWindowTitle(tr("Swap"));

    auto* group = new QGroupBox(tr("Please enter the &middle string"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pMiddle);
    m_pMiddle->selectAll();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_pMiddle->setMinimumWidth(m_pMiddle->fontMetrics().averageCharWidth() * 30);
}

std::string CSwapDlg::Middle() const {
    return m_pMiddle->text().toStdString();
}

bool CSwapDlg::Ask(QWidget* parent, std::string& middle) {
    CSwapDlg dialog(middle, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    middle = dialog.Middle();
    return true;
}
