// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/SaveQuestion.h"

#include <QAbstractButton>

EAnswer AskSaveDiscardCancel(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QStringLiteral("Tessel"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    // Some platforms name these buttons without a mnemonic; their first letters differ.
    for (QAbstractButton* button : box.buttons())
        if (!button->text().contains(QLatin1Char('&')))
            button->setText(QLatin1Char('&') + button->text());
    switch (box.exec()) {
        case QMessageBox::Save:
            return EAnswer::Yes;
        case QMessageBox::Discard:
            return EAnswer::No;
        default:
            return EAnswer::Cancel;
    }
}
