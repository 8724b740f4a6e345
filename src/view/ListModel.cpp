// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ListModel.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

#include "model/CellEdit.h"
#include "model/ColumnTitles.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"
#include "view/CoreTexts.h"
#include "view/DisplayText.h"

namespace {

constexpr int kSizeColumn = 3;

// A quarter of this red over the list's own background marks a row that would stop a
// run: pink on a light theme, dark red on a dark one, with the theme's text readable on
// either.
const QColor kWarningTint(220, 50, 47);
constexpr double kTintShare = 0.25;

QColor BlockingBackground() {
    QColor base = QGuiApplication::palette().color(QPalette::Base);
    auto mix = [](int from, int to) {
        return static_cast<int>(from * (1 - kTintShare) + to * kTintShare + 0.5);
    };
    return QColor(mix(base.red(), kWarningTint.red()), mix(base.green(), kWarningTint.green()),
                  mix(base.blue(), kWarningTint.blue()));
}

}  // namespace

CListModel::CListModel(CTesselSession& session, QObject* parent)
    : QAbstractTableModel(parent),
      m_session(session),
      m_lockGlyph(QStringLiteral(":/images/lock.svg")),
      m_problemGlyph(QStringLiteral(":/images/verdict-problem.svg")),
      m_nRows(session.List().GetCount()) {
    m_session.List().SetObserver(this);
}

CListModel::~CListModel() {
    if (m_session.List().GetObserver() == this)
        m_session.List().SetObserver(nullptr);
}

int CListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nRows;
}

int CListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_session.List().GetColumnCount();
}

QVariant CListModel::data(const QModelIndex& index, int role) const {
    const CRenameList& list = m_session.List();
    if (!index.isValid() || index.row() >= list.GetCount() || index.row() >= m_nRows)
        return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToDisplay(list.CellText(index.row(), index.column()));
        case Qt::DecorationRole:
            // A row that would stop the run shows the verdict's sign in place of its
            // file's, so that the mark is not its colour alone.
            if (index.column() == 0 && BlockingVerdict(index.row()) != kResultOk)
                return m_problemGlyph;
            if (index.column() == 0)
                return m_icons.IconFor(list.GetEntry(index.row()).m_strName.Get());
            return {};
        case Qt::TextAlignmentRole:
            if (!m_session.IsMp3Mode() && index.column() == kSizeColumn)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            if (int code = BlockingVerdict(index.row()))
                return VerdictText(code);
            if (m_session.IsMp3Mode())
                return TagPresenceDisplayText(list.GetEntry(index.row()).m_tagPresence);
            return {};
        case Qt::BackgroundRole:
            if (BlockingVerdict(index.row()) != kResultOk)
                return BlockingBackground();
            return {};
        default:
            return {};
    }
}

int CListModel::BlockingVerdict(int row) const {
    if (m_session.IsMp3Mode() || row >= static_cast<int>(m_verdicts.size()))
        return kResultOk;
    int code = m_verdicts[static_cast<size_t>(row)];
    return code == kResultUnchanged ? kResultOk : code;
}

void CListModel::SetVerdicts(std::vector<int> verdicts) {
    m_verdicts = std::move(verdicts);
    if (m_nRows > 0)
        emit dataChanged(index(0, 0), index(m_nRows - 1, columnCount() - 1),
                         {Qt::ToolTipRole, Qt::AccessibleDescriptionRole, Qt::BackgroundRole,
                          Qt::DecorationRole});
}

QVariant CListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    EMode mode = m_session.List().GetMode();
    switch (role) {
        case Qt::DisplayRole:
            return ColumnTitleText(mode, section);
        case Qt::DecorationRole:
            if (m_session.IsMp3Mode() && m_session.IsLocked(section))
                return m_lockGlyph;
            return {};
        case Qt::TextAlignmentRole:
            if (mode == EMode::Normal && section == kSizeColumn)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

Qt::ItemFlags CListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    bool editable = m_session.IsMp3Mode() ? index.column() > 0 : index.column() == 0;
    if (editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    QString text = value.toString();
    if (text == data(index, Qt::EditRole).toString())
        return false;
    return CommitCellEdit(m_session, index.row(), index.column(), FromDisplay(text));
}

void CListModel::BeginBulkChange() {
    if (m_nBulkDepth++ == 0)
        beginResetModel();
}

void CListModel::EndBulkChange() {
    if (--m_nBulkDepth == 0) {
        m_nRows = m_session.List().GetCount();
        endResetModel();
        emit CoreSelectionChanged();
        emit ListChanged();
    }
}

void CListModel::RowsChanged(int first, int last) {
    last = std::min(last, m_nRows - 1);
    if (m_nBulkDepth > 0 || first > last)
        return;
    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

// The core tells of each change of the rows before and after it, which become the model's
// begin and end calls; inside a bulk change the whole list is shown anew at its end.
void CListModel::RowsAboutToBeInserted(int first, int count) {
    if (m_nBulkDepth == 0 && count > 0)
        beginInsertRows({}, first, first + count - 1);
}

void CListModel::RowsInserted(int /*first*/, int count) {
    if (m_nBulkDepth > 0 || count <= 0)
        return;
    m_nRows += count;
    endInsertRows();
    emit ListChanged();
}

void CListModel::RowsAboutToBeRemoved(int first, int count) {
    if (m_nBulkDepth == 0 && count > 0)
        beginRemoveRows({}, first, first + count - 1);
}

void CListModel::RowsRemoved(int /*first*/, int count) {
    if (m_nBulkDepth > 0 || count <= 0)
        return;
    m_nRows -= count;
    endRemoveRows();
    emit CoreSelectionChanged();
    emit ListChanged();
}

void CListModel::ListAboutToBeReset() {
    if (m_nBulkDepth > 0 || m_bResetting)
        return;
    m_bResetting = true;
    beginResetModel();
}

void CListModel::ListReset() {
    if (m_nBulkDepth > 0)
        return;
    // A reset the core did not announce (the columns changed, say) is shown all the same.
    if (!m_bResetting)
        beginResetModel();
    m_bResetting = false;
    m_nRows = m_session.List().GetCount();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    emit CoreSelectionChanged();
    emit ListChanged();
}

void CListModel::SelectionChanged() {
    if (m_nBulkDepth == 0)
        emit CoreSelectionChanged();
}

void CListModel::EndEditing() {
    emit EditorEndRequested();
}

void CListModel::OpenCellEditor(int row, int column) {
    emit CellEditorRequested(row, column);
}

void CListModel::ShowRow(int row) {
    emit RowShowRequested(row);
}

void CListModel::TitlesChanged() {
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}
