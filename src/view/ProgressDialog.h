#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QProgressBar;
class QPushButton;

// "Progress Indicator": a bar for a long operation, with a Cancel button when the
// operation can be stopped. While it shows, the rest of the window takes no input but
// keeps being painted.
class CProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDialog(QWidget* parent = nullptr);

    void Begin(int range, bool cancellable);
    // Moves the bar; lets the window repaint and the Cancel button work at most every few
    // milliseconds, so a fast loop is not slowed by painting.
    void SetPosition(int position);
    bool IsCancelRequested() const { return m_bCancelRequested; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QProgressBar* m_pBar;
    QPushButton* m_pCancel;
    QElapsedTimer m_sinceEvents;
    bool m_bCancelRequested = false;
};
