// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class IJob;
class IPrompts;
class QWidget;

// Runs the core's jobs in the window without a loop of its own: a timer on the window's
// thread polls the job for a moment at a time, so the window keeps painting and its
// dialogs keep working between polls. The next poll is set only once a poll returned, so a
// dialog that a step shows never sees a poll of the same job inside it. While a job runs
// the main window takes no input: what the job reads must not change under it.
class CJobRunner : public QObject {
    Q_OBJECT
public:
    CJobRunner(IPrompts& prompts, QWidget& window, QObject* parent = nullptr);
    ~CJobRunner() override;

    // Polls the job at once and then from the timer until it ends, cancelling it when the
    // prompts say the user asked to; then calls finished, before the job goes. A job ending in its
    // first poll is finished before Start returns. One job at a time: Start is refused (false)
    // while another runs.
    bool Start(std::unique_ptr<IJob> job, std::function<void()> finished);
    bool IsRunning() const { return m_pJob != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();
    bool IsWindowInput(QObject* target, const QEvent& event) const;

    IPrompts& m_prompts;
    QPointer<QWidget> m_pWindow;
    std::unique_ptr<IJob> m_pJob;
    std::function<void()> m_finished;
    QTimer m_timer;
};
