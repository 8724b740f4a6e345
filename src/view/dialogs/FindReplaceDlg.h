// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "transform/FindReplace.h"

class CTesselSession;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "Find / Replace": a modeless dialog over one session that stays open between requests,
// keeping its texts and its boxes (match case, regular expression). Each button hands its
// request to the core, which searches, replaces and asks its own questions through the
// session's prompts.
class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    CFindReplaceDlg(CTesselSession& session, QWidget* owner);

    // The command: brings the owner's open dialog to the front, or opens a new one (find
    // box "_", replacement empty). A closed dialog is deleted, so the next is fresh.
    static CFindReplaceDlg* Open(QWidget* owner, CTesselSession& session);

    QLineEdit* FindBox() const { return m_pFind; }
    QLineEdit* ReplaceBox() const { return m_pReplace; }
    QCheckBox* MatchCaseBox() const { return m_pMatchCase; }
    QCheckBox* RegexBox() const { return m_pRegex; }
    QPushButton* FindNextButton() const { return m_pFindNext; }
    QPushButton* ReplaceButton() const { return m_pReplaceOne; }
    QPushButton* ReplaceAllButton() const { return m_pReplaceAll; }
    QPushButton* CancelButton() const { return m_pCancel; }

signals:
    // After each request, so the window can bring its menus and status up to date.
    void RequestHandled(EFindRequest request);

private:
    void Request(EFindRequest request);
    void UpdateButtons();

    CTesselSession& m_session;
    QLineEdit* m_pFind;
    QLineEdit* m_pReplace;
    QCheckBox* m_pMatchCase;
    QCheckBox* m_pRegex;
    QPushButton* m_pFindNext;
    QPushButton* m_pReplaceOne;
    QPushButton* m_pReplaceAll;
    QPushButton* m_pCancel;
};
