// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "model/Prompts.h"

class QLineEdit;
class QRadioButton;

// "Rename": whether a run keeps each file's extension or gives every file one extension.
class CExtensionDialog : public QDialog {
    Q_OBJECT
public:
    explicit CExtensionDialog(QWidget* parent = nullptr);
    SExtensionChoice Choice() const;
    void accept() override;

private:
    void UseExtensionClicked();

    QRadioButton* m_pKeep;
    QRadioButton* m_pUse;
    QLineEdit* m_pExtension;
};
