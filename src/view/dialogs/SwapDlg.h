// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

// "Swap": asks for the middle string around which each name's two parts change places.
class CSwapDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the middle string the command offers (" - ") with all its text selected.
    explicit CSwapDlg(const std::string& middle, QWidget* parent = nullptr);

    std::string Middle() const;
    QLineEdit* MiddleBox() const { return m_pMiddle; }

    // Runs the dialog modally. On OK middle becomes the text typed, possibly empty; on
    // Cancel it stays as it came.
    static bool Ask(QWidget* parent, std::string& middle);

private:
    QLineEdit* m_pMiddle;
};
