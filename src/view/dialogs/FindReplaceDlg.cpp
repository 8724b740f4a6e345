// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/FindReplaceDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/TesselSession.h"

CFindReplaceDlg::CFindReplaceDlg(CTesselSession& session, QWidget* owner)
    : QDialog(owner),
      m_session(session),
      m_pFind(new QLineEdit(QStringLiteral("_"))),
      m_pReplace(new QLineEdit),
      m_pMatchCase(new QCheckBox(tr("Match &case"))),
      m_pRegex(new QCheckBox(tr("Regular e&xpression"))),
      m_pFindNext(new QPushButton(tr("&Find Next"))),
      m_pReplaceOne(new QPushButton(tr("&Replace"))),
      m_pReplaceAll(new QPushButton(tr("Replace &All"))),
      m_pCancel(new QPushButton(tr("Cancel"))) {
    setWindowTitle(tr("Find / Replace"));
    setModal(false);

    auto* fields = new QFormLayout;
    auto* findLabel = new QLabel(tr("Fi&nd what:"));
    auto* replaceLabel = new QLabel(tr("Re&place with:"));
    findLabel->setBuddy(m_pFind);
    replaceLabel->setBuddy(m_pReplace);
    fields->addRow(findLabel, m_pFind);
    fields->addRow(replaceLabel, m_pReplace);
    m_pFind->setMinimumWidth(m_pFind->fontMetrics().averageCharWidth() * 32);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(6);
    left->addWidget(m_pMatchCase);
    left->addWidget(m_pRegex);
    left->addStretch();

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_pFindNext, m_pReplaceOne, m_pReplaceAll, m_pCancel})
        buttons->addWidget(button);
    buttons->addStretch();
    m_pFindNext->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_pFindNext, &QPushButton::clicked, this, [this] { Request(EFindRequest::FindNext); });
    connect(m_pReplaceOne, &QPushButton::clicked, this, [this] { Request(EFindRequest::Replace); });
    connect(m_pReplaceAll, &QPushButton::clicked, this,
            [this] { Request(EFindRequest::ReplaceAll); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pFind, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    m_pFind->selectAll();
    UpdateButtons();
}

CFindReplaceDlg* CFindReplaceDlg::Open(QWidget* owner, CTesselSession& session) {
    // A closed dialog is hidden at once but deleted only later: it must not come back.
    CFindReplaceDlg* dialog = nullptr;
    for (auto* child : owner->findChildren<CFindReplaceDlg*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            dialog = child;
    if (!dialog) {
        dialog = new CFindReplaceDlg(session, owner);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->m_pFind->setFocus(Qt::OtherFocusReason);
    return dialog;
}

void CFindReplaceDlg::Request(EFindRequest request) {
    HandleFindRequest(
        m_session, request,
        SReplaceSettings{m_pFind->text().toStdString(), m_pReplace->text().toStdString(),
                         m_pMatchCase->isChecked(), m_pRegex->isChecked()});
    emit RequestHandled(request);
}

void CFindReplaceDlg::UpdateButtons() {
    // Nothing can be found for an empty text, so there is nothing to ask for.
    const bool hasText = !m_pFind->text().isEmpty();
    for (QPushButton* button : {m_pFindNext, m_pReplaceOne, m_pReplaceAll})
        button->setEnabled(hasText);
}
