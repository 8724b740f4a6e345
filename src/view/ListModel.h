// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "model/ListObserver.h"
#include "view/FileIconCache.h"

class CTesselSession;

// The core's rename list as a Qt table model: every cell, title and icon is read from the
// session as it stands, and the core's notifications become the model's signals. What the
// screen alone knows (the open editor, the selection, scrolling) is passed on to the view
// through signals.
class CListModel : public QAbstractTableModel, public IListObserver {
    Q_OBJECT
public:
    explicit CListModel(CTesselSession& session, QObject* parent = nullptr);
    ~CListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edited cell goes through the core's commit rule; a text left as shown commits
    // nothing, so a name that is not valid UTF-8 keeps its bytes.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Many rows change at once (adding, opening a list): the per-row notifications in
    // between are folded into one reset.
    void BeginBulkChange();
    void EndBulkChange();

    CTesselSession& Session() { return m_session; }
    // Go's verdict of each row as last judged: a row that would stop the run is marked
    // with the problem sign, a tint of the palette's background and the verdict as its
    // tooltip and accessible description.
    void SetVerdicts(std::vector<int> verdicts);

    // IListObserver
    void RowsChanged(int first, int last) override;
    void RowsAboutToBeInserted(int first, int count) override;
    void RowsInserted(int first, int count) override;
    void RowsAboutToBeRemoved(int first, int count) override;
    void RowsRemoved(int first, int count) override;
    void ListAboutToBeReset() override;
    void ListReset() override;
    void SelectionChanged() override;
    void EndEditing() override;
    void OpenCellEditor(int row, int column) override;
    void ShowRow(int row) override;
    void TitlesChanged() override;

signals:
    void CoreSelectionChanged();
    void EditorEndRequested();
    void CellEditorRequested(int row, int column);
    void RowShowRequested(int row);
    void ListChanged();

private:
    // The row's verdict when it would stop a run, else 0.
    int BlockingVerdict(int row) const;

    CTesselSession& m_session;
    mutable CFileIconCache m_icons;
    QIcon m_lockGlyph;
    QIcon m_problemGlyph;
    int m_nRows;  // the row count last announced to the views
    bool m_bResetting = false;
    std::vector<int> m_verdicts;
    int m_nBulkDepth = 0;
};
