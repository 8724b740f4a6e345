// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ExtensionDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "view/DisplayText.h"

namespace {

constexpr const char* kInvalidExtension =
    QT_TRANSLATE_NOOP("CExtensionDialog", "Cannot rename to this invalid extension");

// An extension is a text with a dot somewhere, or nothing at all (no extension).
bool IsAcceptableExtension(const QString& text) {
    return text.isEmpty() || text.contains(QLatin1Char('.'));
}

}  // namespace

CExtensionDialog::CExtensionDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Rename"));
    auto* group = new QGroupBox(tr("File Extension"), this);
    m_pKeep = new QRadioButton(tr("&Do not modify extension"), group);
    m_pKeep->setObjectName(QStringLiteral("keep"));
    m_pUse = new QRadioButton(tr("&Use this extension:"), group);
    m_pUse->setObjectName(QStringLiteral("use"));
    m_pExtension = new QLineEdit(QStringLiteral(".mp3"), group);
    m_pExtension->setObjectName(QStringLiteral("extension"));
    // Reached through its radio button, which has no buddy to name it.
    m_pExtension->setAccessibleName(tr("Extension"));
    m_pExtension->setEnabled(false);
    m_pKeep->setChecked(true);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pKeep);
    auto* useRow = new QHBoxLayout;
    useRow->addWidget(m_pUse);
    useRow->addWidget(m_pExtension);
    groupLayout->addLayout(useRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExtensionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExtensionDialog::reject);
    connect(m_pKeep, &QRadioButton::clicked, this, [this] { m_pExtension->setEnabled(false); });
    connect(m_pUse, &QRadioButton::clicked, this, &CExtensionDialog::UseExtensionClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    // Return goes ahead with the choice as it stands. Under GTK's rules Return presses the
    // focused button, so the focus starts on OK rather than on a radio button.
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

void CExtensionDialog::UseExtensionClicked() {
    m_pExtension->setEnabled(true);
    m_pExtension->setFocus();
    m_pExtension->selectAll();
}

SExtensionChoice CExtensionDialog::Choice() const {
    return SExtensionChoice{m_pKeep->isChecked(), FromDisplay(m_pExtension->text())};
}

void CExtensionDialog::accept() {
    // The text is checked whichever button is chosen, as the user sees it in the box.
    if (!IsAcceptableExtension(m_pExtension->text())) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessel"), tr(kInvalidExtension),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    QDialog::accept();
}
