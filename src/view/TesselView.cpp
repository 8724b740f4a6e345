#include "view/TesselView.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QProcess>
#include <QStyledItemDelegate>
#include <QUrl>

#include "model/SortRows.h"
#include "model/TesselSession.h"
#include "model/ViewerAssociations.h"
#include "view/ListModel.h"

const std::array<int, 6> CTesselView::kNormalWidths = {150, 150, 50, 80, 120, 300};
const std::array<int, 7> CTesselView::kMp3Widths = {150, 150, 150, 150, 80, 100, 150};

// The default editor, remembered while it is open so that a command can close it.
class CTrackingDelegate : public QStyledItemDelegate {
public:
    explicit CTrackingDelegate(CTesselView& view) : QStyledItemDelegate(&view), m_view(view) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_view.m_pEditor = editor;
        return editor;
    }

private:
    CTesselView& m_view;
};

CTesselView::CTesselView(CListModel& model, IProfile& profile, QWidget* parent)
    : QTableView(parent), m_model(model), m_session(model.Session()), m_profile(profile) {
    m_widths[0].assign(kNormalWidths.begin(), kNormalWidths.end());
    m_widths[1].assign(kMp3Widths.begin(), kMp3Widths.end());
    setModel(&m_model);
    setItemDelegate(new CTrackingDelegate(*this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    setIconSize(QSize(16, 16));

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CTesselView::SortClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CTesselView::RememberWidth);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                emit ContextMenuRequested(horizontalHeader()->mapToGlobal(pos), true);
            });
    connect(&m_model, &QAbstractItemModel::modelReset, this, &CTesselView::ApplyColumnWidths);
    connect(&m_model, &CListModel::CoreSelectionChanged, this, &CTesselView::SelectionFromCore);
    connect(&m_model, &CListModel::EditorEndRequested, this, &CTesselView::EndEditing);
    connect(&m_model, &CListModel::RowShowRequested, this, [this](int row) {
        scrollTo(m_model.index(row, 0));
        setFocus();
    });
    connect(&m_model, &CListModel::CellEditorRequested, this, [this](int row, int column) {
        QModelIndex index = m_model.index(row, column);
        scrollTo(index);
        edit(index);
    });
    ApplyColumnWidths();
}

void CTesselView::ApplyColumnWidths() {
    const std::vector<int>& widths = m_widths[m_session.IsMp3Mode() ? 1 : 0];
    m_bApplyingWidths = true;
    for (int column = 0; column < static_cast<int>(widths.size()); ++column)
        setColumnWidth(column, widths[static_cast<size_t>(column)]);
    m_bApplyingWidths = false;
}

void CTesselView::RememberWidth(int column, int /*oldWidth*/, int newWidth) {
    std::vector<int>& widths = m_widths[m_session.IsMp3Mode() ? 1 : 0];
    if (!m_bApplyingWidths && column >= 0 && column < static_cast<int>(widths.size()) &&
        newWidth > 0)
        widths[static_cast<size_t>(column)] = newWidth;
}

void CTesselView::EndEditing() {
    QWidget* editor = m_pEditor;
    m_pEditor = nullptr;
    if (editor == nullptr)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CTesselView::EditFocusedRow() {
    int row = m_session.List().GetFocusedRow();
    if (row < 0 || row >= m_session.List().GetCount())
        return;
    QModelIndex index = m_model.index(row, 0);
    scrollTo(index);
    edit(index);
}

void CTesselView::SortClicked(int column) {
    EndEditing();
    setFocus();
    SortByColumn(m_session, column);
    emit Changed();
}

void CTesselView::OpenRow(int row) {
    const std::string& path = m_session.List().GetEntry(row).m_strPath.Get();
    QString file = QFile::decodeName(QByteArray::fromStdString(path));
    std::string program = FindViewer(LoadViewers(m_profile), path);
    // The path is the program's one argument: no shell ever reads it.
    if (!program.empty())
        QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program)), {file});
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void CTesselView::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Insert) {
        emit CommandRequested(ECommandId::Add);
        return;
    }
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Delete) {
        emit CommandRequested(ECommandId::Remove);
        return;
    }
    // Copy and paste have no meaning in the list.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
        event->key() == Qt::Key_Insert)
        return;
    QTableView::keyPressEvent(event);
}

void CTesselView::mouseDoubleClickEvent(QMouseEvent* event) {
    QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    OpenRow(index.row());
    QTableView::mouseDoubleClickEvent(event);
}

void CTesselView::contextMenuEvent(QContextMenuEvent* event) {
    EndEditing();
    emit ContextMenuRequested(event->globalPos(), false);
}

void CTesselView::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (m_bSyncing)
        return;
    m_bSyncing = true;
    CRenameList& list = m_session.List();
    for (const QItemSelectionRange& range : deselected)
        for (int row = range.top(); row <= range.bottom() && row < list.GetCount(); ++row)
            list.SetSelected(row, false);
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom() && row < list.GetCount(); ++row)
            list.SetSelected(row, true);
    m_bSyncing = false;
}

void CTesselView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!m_bSyncing)
        m_session.List().SetFocusedRow(current.isValid() ? current.row() : -1);
}

void CTesselView::SelectionFromCore() {
    if (m_bSyncing || selectionModel() == nullptr)
        return;
    m_bSyncing = true;
    const CRenameList& list = m_session.List();
    QItemSelection selection;
    int last = m_model.columnCount() - 1;
    for (int row = 0; row < list.GetCount();) {
        if (!list.IsSelected(row)) {
            ++row;
            continue;
        }
        int first = row;
        while (row < list.GetCount() && list.IsSelected(row))
            ++row;
        selection.select(m_model.index(first, 0), m_model.index(row - 1, last));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    int focused = list.GetFocusedRow();
    if (focused >= 0 && focused < list.GetCount())
        selectionModel()->setCurrentIndex(m_model.index(focused, 0), QItemSelectionModel::NoUpdate);
    m_bSyncing = false;
}
