// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

// "Progress Indicator": a bar for a long operation, with a Cancel button when the
// operation can be stopped. It is shown modal, not run: the operation goes on in the
// window's event loop, which keeps the rest of the window painted but without input.
class CProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDialog(QWidget* parent = nullptr);

    void Begin(int range);
    // Moves the bar; a fast loop moves it at most every few milliseconds, and changes the
    // texts a few times a second, so that it is not slowed by painting. The path, when
    // given, names the file reached; it is read only when the texts change.
    void SetPosition(int position, const std::string* path = nullptr);
    bool IsCancelRequested() const { return m_bCancelRequested; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowPosition();
    void ShowTexts();

    QLabel* m_pCount;
    QLabel* m_pFile;
    // The file last reached, shown with the count: a call without one keeps it.
    std::string m_strFile;
    QProgressBar* m_pBar;
    QPushButton* m_pCancel;
    QElapsedTimer m_sinceShown;
    QElapsedTimer m_sinceTexts;
    int m_nPosition = 0;
    int m_nRange = 0;
    bool m_bCancelRequested = false;
};
