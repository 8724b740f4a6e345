// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/JobRunner.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>

#include "model/Job.h"
#include "model/Prompts.h"

namespace {

// The window's events are handled between ticks; each tick takes in what the worker
// finished for at most kTickBusy, waiting at most kPollWait at a time for news.
constexpr int kTickIntervalMs = 10;
constexpr qint64 kTickBusyMs = 15;
constexpr std::chrono::milliseconds kPollWait(2);

}  // namespace

CJobRunner::CJobRunner(IPrompts& prompts, QWidget& window, QObject* parent)
    : QObject(parent), m_prompts(prompts), m_pWindow(&window) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kTickIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CJobRunner::Tick);
}

// A job still running goes with the runner: its worker is stopped and joined.
CJobRunner::~CJobRunner() = default;

bool CJobRunner::Start(std::unique_ptr<IJob> job, std::function<void()> finished) {
    if (m_pJob || !job)
        return false;
    m_pJob = std::move(job);
    m_finished = std::move(finished);
    qApp->installEventFilter(this);
    Tick();
    return true;
}

void CJobRunner::Tick() {
    if (m_prompts.CancelRequested())
        m_pJob->Cancel();
    QElapsedTimer busy;
    busy.start();
    bool ended = false;
    do {
        ended = m_pJob->Poll(kPollWait);
    } while (!ended && busy.elapsed() < kTickBusyMs);
    if (!ended) {
        m_timer.start();
        return;
    }
    qApp->removeEventFilter(this);
    // The job lives until finished has read what it found; another may start meanwhile.
    std::unique_ptr<IJob> job = std::move(m_pJob);
    std::function<void()> finished = std::move(m_finished);
    m_finished = nullptr;
    if (finished)
        finished();
}

bool CJobRunner::eventFilter(QObject* watched, QEvent* event) {
    if (m_pJob && IsWindowInput(watched, *event))
        return true;
    return QObject::eventFilter(watched, event);
}

bool CJobRunner::IsWindowInput(QObject* target, const QEvent& event) const {
    switch (event.type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::InputMethod:
            break;
        default:
            return false;
    }
    // The window itself, and a modeless window of its own (Find and Replace) that could
    // change the list too; a modal dialog is the job's, or asks for it.
    auto inWindow = [this](QObject* object) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget == nullptr)
            return false;
        QWidget* top = widget->window();
        return top == m_pWindow || (!top->isModal() && top->parentWidget() != nullptr &&
                                    top->parentWidget()->window() == m_pWindow);
    };
    if (inWindow(target))
        return true;
    // A key of the window's menus and toolbar reaches its action, not a widget.
    if (auto* action = qobject_cast<QAction*>(target)) {
        const QList<QObject*> owners = action->associatedObjects();
        return std::any_of(owners.begin(), owners.end(), inWindow);
    }
    return false;
}
