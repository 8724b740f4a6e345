#include "view/SeparatorDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "view/DisplayText.h"

CSeparatorDialog::CSeparatorDialog(const SSeparatorChoice& choice, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Filename <-> ID3 Tag"));
    m_pSeparator = new QLineEdit(ToDisplay(choice.strSeparator), this);
    m_pArtistFirst = new QRadioButton(QStringLiteral("Artist - Title"), this);
    auto* titleFirst = new QRadioButton(QStringLiteral("Title - Artist"), this);
    (choice.bArtistFirst ? m_pArtistFirst : titleFirst)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Separator"), m_pSeparator);
    form->addRow(QStringLiteral("Format"), m_pArtistFirst);
    form->addRow(QString(), titleFirst);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

SSeparatorChoice CSeparatorDialog::Choice() const {
    return SSeparatorChoice{FromDisplay(m_pSeparator->text()), m_pArtistFirst->isChecked()};
}
