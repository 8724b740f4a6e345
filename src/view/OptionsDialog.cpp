// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/OptionsDialog.h"

#include <QDialogButtonBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "view/Id3EditorPage.h"
#include "view/ViewerPage.h"

COptionsDialog::COptionsDialog(IProfile& profile, EOptionsPage page,
                               const SId3EditorOptions& options, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Options"));
    m_pTabs = new QTabWidget(this);
    m_pViewer = new CViewerPage(profile, m_pTabs);
    m_pViewer->setObjectName(QStringLiteral("viewerPage"));
    m_pId3 = new CId3EditorPage(m_pTabs);
    m_pId3->setObjectName(QStringLiteral("id3Page"));
    m_pId3->SetOptions(options);
    m_pTabs->addTab(m_pViewer, tr("&Viewer"));
    m_pTabs->addTab(m_pId3, tr("&ID3 Editor"));
    m_pTabs->tabBar()->setAccessibleName(tr("Pages"));
    m_pTabs->setCurrentWidget(page == EOptionsPage::Viewer ? static_cast<QWidget*>(m_pViewer)
                                                           : m_pId3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(buttons);
    resize(520, 400);
}

SId3EditorOptions COptionsDialog::Id3Options() const {
    return m_pId3->Options();
}

void COptionsDialog::accept() {
    m_pViewer->Save();
    QDialog::accept();
}
