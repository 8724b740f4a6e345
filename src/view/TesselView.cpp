// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TesselView.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

#include "model/ColumnLayout.h"
#include "model/MoveRow.h"
#include "model/SortRows.h"
#include "model/TesselSession.h"
#include "model/ViewerAssociations.h"
#include "platform/StartProgram.h"
#include "view/CellDelegate.h"
#include "view/DisplayText.h"
#include "view/ListModel.h"

const std::array<int, 6> CTesselView::kNormalWidths = {150, 150, 50, 80, 120, 300};
const std::array<int, 7> CTesselView::kMp3Widths = {150, 150, 150, 150, 80, 100, 150};

CTesselView::CTesselView(CListModel& model, IProfile& profile, QWidget* parent)
    : QTableView(parent), m_model(model), m_session(model.Session()), m_profile(profile) {
    m_widths[0] =
        ReadColumnWidths(m_profile, EMode::Normal, {kNormalWidths.begin(), kNormalWidths.end()});
    m_widths[1] = ReadColumnWidths(m_profile, EMode::Mp3, {kMp3Widths.begin(), kMp3Widths.end()});
    m_lastSort = RestoreSort(m_session);
    setAccessibleName(tr("Files"));
    setModel(&m_model);
    setItemDelegate(new CCellDelegate(*this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // Rows are dragged by the view itself (startDrag), so Qt never moves model data.
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    // The last column reaches the window's right edge.
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    setIconSize(QSize(16, 16));

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CTesselView::SortClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CTesselView::RememberWidth);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                emit ContextMenuRequested(horizontalHeader()->mapToGlobal(pos), true);
            });
    // Scrolling commits an open editor, as its cell moves away from it.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CTesselView::EndEditing);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CTesselView::EndEditing);
    // While the list is reset (a change of mode), the header gives its sections sizes of
    // its own, which are none of the user's: they are not remembered, and the widths of
    // the new mode are applied once the reset has settled.
    connect(&m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_bResetting = true; });
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] {
        ApplyColumnWidths();
        QTimer::singleShot(0, this, [this] {
            m_bResetting = false;
            ApplyColumnWidths();
        });
    });
    connect(horizontalHeader(), &QHeaderView::sectionCountChanged, this,
            &CTesselView::ApplyColumnWidths);
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
    ApplySortIndicator();
}

void CTesselView::ApplySortIndicator() {
    // The sort indicator tells how the rows were last sorted by a click in this mode.
    bool sorted = m_lastSort.nColumn >= 0 && m_lastSort.mode == m_session.List().GetMode();
    horizontalHeader()->setSortIndicatorShown(sorted);
    if (sorted)
        horizontalHeader()->setSortIndicator(
            m_lastSort.nColumn, m_lastSort.bAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CTesselView::RememberWidth(int column, int /*oldWidth*/, int newWidth) {
    std::vector<int>& widths = m_widths[m_session.IsMp3Mode() ? 1 : 0];
    // The last column's width follows the window, not the user; while the mode changes,
    // the header may still have the other mode's last column.
    int last = std::min(static_cast<int>(widths.size()), horizontalHeader()->count()) - 1;
    if (m_bApplyingWidths || m_bResetting || column < 0 || column >= last || newWidth <= 0 ||
        widths[static_cast<size_t>(column)] == newWidth)
        return;
    widths[static_cast<size_t>(column)] = newWidth;
    WriteColumnWidths(m_profile, m_session.List().GetMode(), widths);
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
    // The focused cell when it can be edited (a tag in MP3 mode), else the row's name.
    QModelIndex cell = currentIndex().row() == row ? KeyboardEditCell() : QModelIndex();
    if (!cell.isValid())
        cell = m_model.index(row, 0);
    scrollTo(cell);
    edit(cell);
}

void CTesselView::SortClicked(int column) {
    EndEditing();
    setFocus();
    SortByColumn(m_session, column);
    m_lastSort = RememberSort(m_session, column);
    ApplySortIndicator();
    emit Changed();
}

void CTesselView::OpenRow(int row) {
    const std::string& path = m_session.List().GetEntry(row).m_strPath.Get();
    std::string program = FindViewer(LoadViewers(m_profile), path);
    // The path is the program's one argument, byte for byte: no shell ever reads it.
    if (!program.empty())
        StartDetachedProgram(program, {path});
    else
        QDesktopServices::openUrl(FileUrl(path));
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
    if (state() != EditingState && StartEditingByKey(event))
        return;
    QTableView::keyPressEvent(event);
}

QModelIndex CTesselView::KeyboardEditCell() const {
    QModelIndex current = currentIndex();
    if (!current.isValid())
        return {};
    if (m_model.flags(current) & Qt::ItemIsEditable)
        return current;
    // In the normal mode only the name is edited, whichever cell of its row has the focus.
    QModelIndex name = m_model.index(current.row(), 0);
    return !m_session.IsMp3Mode() && (m_model.flags(name) & Qt::ItemIsEditable) ? name
                                                                                : QModelIndex();
}

bool CTesselView::StartEditingByKey(QKeyEvent* event) {
    Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    bool openKey = event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return ||
                   event->key() == Qt::Key_Enter;
    QModelIndex cell = KeyboardEditCell();
    // Shift only makes a capital; with Ctrl or Alt a key is a command.
    if ((modifiers & ~Qt::ShiftModifier) != Qt::NoModifier || !cell.isValid())
        return false;
    if (openKey && modifiers == Qt::NoModifier) {
        scrollTo(cell);
        edit(cell);
        return true;
    }
    // A printable character starts editing a text cell with that character in place of
    // its text, as a spreadsheet does; the genre box has no text to type into.
    QString text = event->text();
    auto* delegate = qobject_cast<CCellDelegate*>(itemDelegate());
    bool printable = !text.isEmpty() && text.at(0).isPrint();
    if (!printable || delegate == nullptr || delegate->IsGenreCell(cell))
        return false;
    scrollTo(cell);
    edit(cell);
    if (m_pEditor == nullptr)
        return false;
    QCoreApplication::sendEvent(m_pEditor, event);
    return true;
}

void CTesselView::mouseDoubleClickEvent(QMouseEvent* event) {
    QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    OpenRow(index.row());
    QTableView::mouseDoubleClickEvent(event);
}

void CTesselView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (m_model.rowCount() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, tr(kEmptyHint));
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

void CTesselView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == m_pEditor)
        m_pEditor = nullptr;
    QTableView::closeEditor(editor, hint);
}

void CTesselView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    // In MP3 mode one click on a tag cell opens its editor at once.
    QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && m_session.IsMp3Mode() && index.isValid() &&
        (m_model.flags(index) & Qt::ItemIsEditable) && state() != EditingState)
        edit(index);
}

void CTesselView::startDrag(Qt::DropActions /*supportedActions*/) {
    QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    EndEditing();
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(kRowMimeType), QByteArray::number(current.row()));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
}

bool CTesselView::AcceptsDrop(const QMimeData* mime) const {
    return mime != nullptr && (mime->hasFormat(QLatin1String(kRowMimeType)) ||
                               mime->hasFormat(QStringLiteral("text/uri-list")));
}

void CTesselView::dragEnterEvent(QDragEnterEvent* event) {
    if (AcceptsDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CTesselView::dragMoveEvent(QDragMoveEvent* event) {
    if (AcceptsDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CTesselView::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime != nullptr && mime->hasFormat(QLatin1String(kRowMimeType))) {
        bool ok = false;
        int dragged = mime->data(QLatin1String(kRowMimeType)).toInt(&ok);
        // The row under a point a little below the pointer, so that a drop on the lower
        // half of a row lands after it; below the last row is the end.
        QModelIndex target = indexAt(event->position().toPoint() + QPoint(0, kDropOffset));
        int dropRow = target.isValid() ? target.row() : m_session.List().GetCount();
        event->acceptProposedAction();
        if (ok && MoveRow(m_session, dragged, dropRow))
            emit Changed();
        return;
    }
    if (mime != nullptr && mime->hasFormat(QStringLiteral("text/uri-list"))) {
        event->acceptProposedAction();
        emit UriListDropped(mime->data(QStringLiteral("text/uri-list")));
        return;
    }
    event->ignore();
}
