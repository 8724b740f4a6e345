// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The help page shipped with the program, shown in a browser of its own.
class CHelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit CHelpDialog(QWidget* parent = nullptr);
};
