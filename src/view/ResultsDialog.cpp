// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ResultsDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "model/ResultsList.h"
#include "view/CoreTexts.h"
#include "view/DisplayText.h"
#include "view/ResultsModel.h"

CResultsDialog::CResultsDialog(const CResultsList& results, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ResultsTitleText(results));
    // The counts first: with many rows they are all that can be taken in at a glance.
    auto* summary = new QLabel(ResultsSummaryText(results), this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setTextFormat(Qt::PlainText);
    auto* group = new QGroupBox(tr("Results"), this);
    m_pList = new QTreeView(group);
    m_pList->setObjectName(QStringLiteral("results"));
    m_pList->setAccessibleName(tr("Results"));
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setModel(new CResultsModel(results, m_pList));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pList);

    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setObjectName(QStringLiteral("ok"));
    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    if (results.m_bResultsMode) {
        m_pOk->hide();
        m_pCancel->setText(tr("OK"));
        m_pCancel->setDefault(true);
    } else {
        m_pOk->setEnabled(results.CanConfirm());
        (m_pOk->isEnabled() ? m_pOk : m_pCancel)->setDefault(true);
    }
    auto* buttons = new QHBoxLayout;
    QString refusal = ConfirmRefusalText(results);
    if (!refusal.isEmpty()) {
        // Why OK stays disabled, where the eye goes looking for it.
        auto* reason = new QLabel(refusal, this);
        reason->setObjectName(QStringLiteral("reason"));
        reason->setTextFormat(Qt::PlainText);
        reason->setWordWrap(true);
        buttons->addWidget(reason, 1);
    } else {
        buttons->addStretch();
    }
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(group);
    layout->addLayout(buttons);
    resize(640, 480);
}

void CResultsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_bSized)
        return;
    m_bSized = true;
    // Before and After take three tenths of the list's width each, Comment the rest.
    int width = m_pList->viewport()->width();
    m_pList->header()->resizeSection(0, width * 3 / 10);
    m_pList->header()->resizeSection(1, width * 3 / 10);
}
