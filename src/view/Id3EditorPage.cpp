// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Id3EditorPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

CId3EditorPage::CId3EditorPage(QWidget* parent) : QWidget(parent) {
    // Both groups name the same fields: each box has a letter of its own on the page.
    static const char* const kFormat[] = {QT_TR_NOOP("&Title"), QT_TR_NOOP("&Artist"),
                                          QT_TR_NOOP("Al&bum"), QT_TR_NOOP("&Comment")};
    static const char* const kLock[] = {QT_TR_NOOP("Tit&le"), QT_TR_NOOP("A&rtist"),
                                        QT_TR_NOOP("Alb&um"), QT_TR_NOOP("&Year"),
                                        QT_TR_NOOP("&Genre"), QT_TR_NOOP("Co&mment")};
    auto* format = new QGroupBox(tr("Find / Replace / Format"), this);
    auto* formatLayout = new QVBoxLayout(format);
    for (size_t i = 0; i < m_format.size(); ++i) {
        m_format[i] = new QCheckBox(tr(kFormat[i]), format);
        m_format[i]->setObjectName(QStringLiteral("format%1").arg(i + 1));
        formatLayout->addWidget(m_format[i]);
    }
    formatLayout->addStretch();
    auto* lock = new QGroupBox(tr("Lock Column"), this);
    auto* lockLayout = new QVBoxLayout(lock);
    for (size_t i = 0; i < m_lock.size(); ++i) {
        m_lock[i] = new QCheckBox(tr(kLock[i]), lock);
        m_lock[i]->setObjectName(QStringLiteral("lock%1").arg(i + 1));
        lockLayout->addWidget(m_lock[i]);
    }
    lockLayout->addStretch();
    auto* groups = new QHBoxLayout;
    groups->addWidget(format);
    groups->addWidget(lock);
    m_pAddId3v2 = new QCheckBox(tr("A&dd ID3v2 tags to files without one"), this);
    m_pAddId3v2->setObjectName(QStringLiteral("addId3v2"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(m_pAddId3v2);
}

void CId3EditorPage::SetOptions(const SId3EditorOptions& options) {
    for (size_t i = 0; i < m_format.size(); ++i)
        m_format[i]->setChecked(options.format[i]);
    for (size_t i = 0; i < m_lock.size(); ++i)
        m_lock[i]->setChecked(options.lock[i]);
    m_pAddId3v2->setChecked(options.bAddId3v2);
}

SId3EditorOptions CId3EditorPage::Options() const {
    SId3EditorOptions options;
    for (size_t i = 0; i < m_format.size(); ++i)
        options.format[i] = m_format[i]->isChecked();
    for (size_t i = 0; i < m_lock.size(); ++i)
        options.lock[i] = m_lock[i]->isChecked();
    options.bAddId3v2 = m_pAddId3v2->isChecked();
    return options;
}
