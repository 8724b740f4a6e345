#pragma once

#include <QDialog>
#include <QElapsedTimer>

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
    // Moves the bar; a fast loop moves it at most every few milliseconds, so that it is
    // not slowed by painting.
    void SetPosition(int position);
    bool IsCancelRequested() const { return m_bCancelRequested; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowPosition();

    QLabel* m_pCount;
    QProgressBar* m_pBar;
    QPushButton* m_pCancel;
    QElapsedTimer m_sinceShown;
    int m_nPosition = 0;
    int m_nRange = 0;
    bool m_bCancelRequested = false;
};
