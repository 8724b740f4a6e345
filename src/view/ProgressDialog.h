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

    void Begin(int range);
    // Moves the bar, as the next KeepAlive shows it.
    void SetPosition(int position);
    // Lets the window repaint and the Cancel button work, at most every few milliseconds,
    // so that a fast loop is not slowed by painting.
    void KeepAlive();
    bool IsCancelRequested() const { return m_bCancelRequested; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QProgressBar* m_pBar;
    QPushButton* m_pCancel;
    QElapsedTimer m_sinceEvents;
    int m_nPosition = 0;
    bool m_bCancelRequested = false;
};
