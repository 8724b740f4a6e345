// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ViewerPage.h"

#include <cstdlib>

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "view/DisplayText.h"

namespace {

// A row shows its association and keeps its bytes, which are what is saved.
constexpr int kBytesRole = Qt::UserRole;

}  // namespace

CViewerPage::CViewerPage(IProfile& profile, QWidget* parent) : QWidget(parent), m_profile(profile) {
    auto* group = new QGroupBox(tr("Select Viewer"), this);
    m_pExtension = new QLineEdit(group);
    m_pExtension->setObjectName(QStringLiteral("extension"));
    m_pProgram = new QLineEdit(group);
    m_pProgram->setObjectName(QStringLiteral("program"));
    auto* browse = new QPushButton(tr("&Browse"), group);
    browse->setObjectName(QStringLiteral("browse"));
    auto* programRow = new QHBoxLayout;
    programRow->addWidget(m_pProgram);
    programRow->addWidget(browse);
    // Labels made here rather than by the form, so that the program's box is their
    // buddy too: a screen reader names each box by its label.
    auto* extensionLabel = new QLabel(tr("&Extension"), group);
    extensionLabel->setBuddy(m_pExtension);
    auto* programLabel = new QLabel(tr("Open &With"), group);
    programLabel->setBuddy(m_pProgram);
    auto* form = new QFormLayout(group);
    form->addRow(extensionLabel, m_pExtension);
    form->addRow(programLabel, programRow);
    m_pProblem = new QLabel(group);
    m_pProblem->setObjectName(QStringLiteral("problem"));
    m_pProblem->setWordWrap(true);
    m_pProblem->hide();
    form->addRow(m_pProblem);

    auto* add = new QPushButton(tr("&Add"), this);
    add->setObjectName(QStringLiteral("add"));
    auto* remove = new QPushButton(tr("&Remove"), this);
    remove->setObjectName(QStringLiteral("remove"));
    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(remove);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(group, 1);
    top->addLayout(side);

    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("associations"));
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setHeaderLabels({tr("Extension"), tr("Open With")});
    auto* listLabel = new QLabel(tr("Ass&ociations"), this);
    listLabel->setBuddy(m_pList);
    // A list's accessible name is its own, never its label's.
    m_pList->setAccessibleName(tr("Associations"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(listLabel);
    layout->addWidget(m_pList, 1);

    connect(browse, &QPushButton::clicked, this, &CViewerPage::Browse);
    connect(add, &QPushButton::clicked, this, &CViewerPage::AddRow);
    connect(remove, &QPushButton::clicked, this, &CViewerPage::RemoveSelected);
}

void CViewerPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_bShown)
        return;
    m_bShown = true;
    m_pList->header()->resizeSection(0, m_pList->viewport()->width() / 5);
    for (const SViewerAssociation& viewer : LoadViewers(m_profile))
        AppendRow(viewer);
    m_pExtension->setText(QStringLiteral(".html"));
}

void CViewerPage::AppendRow(const SViewerAssociation& viewer) {
    auto* item = new QTreeWidgetItem(
        m_pList, {ToDisplay(viewer.strExtension), ToDisplay(viewer.strProgram)});
    item->setData(0, kBytesRole, QByteArray::fromStdString(viewer.strExtension));
    item->setData(1, kBytesRole, QByteArray::fromStdString(viewer.strProgram));
}

void CViewerPage::Browse() {
    QString program =
        QFileDialog::getOpenFileName(this, tr("Browse"), QString(), tr("All Files (*)"));
    if (!program.isEmpty())
        m_pProgram->setText(program);
}

void CViewerPage::AddRow() {
    const char* path = std::getenv("PATH");
    std::string program;
    std::string problem =
        AssociationProblem(FromDisplay(m_pExtension->text()), PathBytes(m_pProgram->text()),
                           path != nullptr ? path : "", program);
    // A wrong entry is not taken and says why; the boxes keep it for the user to correct.
    m_pProblem->setText(ToDisplay(problem));
    m_pProblem->setVisible(!problem.empty());
    if (!problem.empty()) {
        (IsViewerExtension(FromDisplay(m_pExtension->text())) ? m_pProgram : m_pExtension)
            ->setFocus();
        return;
    }
    AppendRow({FromDisplay(m_pExtension->text()), program});
}

void CViewerPage::RemoveSelected() {
    qDeleteAll(m_pList->selectedItems());
}

CViewerList CViewerPage::Rows() const {
    CViewerList rows;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_pList->topLevelItem(i);
        rows.push_back({item->data(0, kBytesRole).toByteArray().toStdString(),
                        item->data(1, kBytesRole).toByteArray().toStdString()});
    }
    return rows;
}

void CViewerPage::Save() {
    if (m_bShown)
        SaveViewers(m_profile, Rows());
}
