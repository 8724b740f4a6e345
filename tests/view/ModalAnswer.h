// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

// Answers the modal dialogs a test runs into: every few milliseconds, the dialog on top
// (if any) is handed to the answer function, and a message box's text is recorded.
class CModalAnswer : public QObject {
public:
    explicit CModalAnswer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == m_pLast)
                return;
            m_pLast = modal;
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                m_texts.append(box->text());
            m_answer(modal);
        });
        m_timer.start(20);
    }
    // Each message box shown so far, by its text.
    const QStringList& Texts() const { return m_texts; }

    // Clicks the message box button of that role; other dialogs are rejected.
    static std::function<void(QWidget*)> Click(QMessageBox::StandardButton button) {
        return [button](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                box->button(button)->click();
            else if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        };
    }

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    QPointer<QWidget> m_pLast;  // a dialog answered already and still closing
    QStringList m_texts;
};
