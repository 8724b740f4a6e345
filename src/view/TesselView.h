// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QTableView>
#include <array>
#include <vector>

#include "model/ColumnLayout.h"
#include "model/CommandId.h"

class CListModel;
class QMimeData;
class CTesselSession;
class IProfile;

// The list on screen: the rename list's rows in the normal or the MP3 columns. Clicks on
// the column titles sort through the core, the selection and focus are the core's, and
// the commands it cannot carry out alone (Insert, Delete, the context menus) go to the
// main window.
class CTesselView : public QTableView {
    Q_OBJECT
public:
    CTesselView(CListModel& model, IProfile& profile, QWidget* parent = nullptr);

    CListModel& ListModel() { return m_model; }
    // Commits and closes an open cell editor.
    void EndEditing();
    // Starts editing the focused cell (Rename, F2): a tag in MP3 mode, else the row's name.
    void EditFocusedRow();
    // Opens the file of a row with its configured viewer, else the desktop's default.
    void OpenRow(int row);

    // Whether a drag carries a row of this list or files.
    bool AcceptsDrop(const QMimeData* mime) const;

    // The drag of a row: its row number, so nothing but MoveRow changes the order.
    static constexpr const char* kRowMimeType = "application/x-tessel-row";
    // A drop counts for the row this far below the pointer.
    static constexpr int kDropOffset = 10;
    static const std::array<int, 6> kNormalWidths;
    static const std::array<int, 7> kMp3Widths;
    // What an empty list shows in its middle.
    static constexpr const char* kEmptyHint =
        QT_TR_NOOP("Add files with Insert, or drop them here");

signals:
    void CommandRequested(ECommandId command);
    // Files and folders dropped on the list, as a text/uri-list, for the window to add.
    void UriListDropped(const QByteArray& uriList);
    // A context menu at a screen point: over the column titles or over the rows.
    void ContextMenuRequested(const QPoint& globalPos, bool onTitles);
    // The view changed the list by itself (a sort): the command states may differ now.
    void Changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The cell F2, Enter or a typed character edits: the focused cell, or in the normal
    // mode the name of the focused row; invalid when there is none.
    QModelIndex KeyboardEditCell() const;
    bool StartEditingByKey(QKeyEvent* event);
    void SortClicked(int column);
    void SelectionFromCore();
    void ApplyColumnWidths();
    void ApplySortIndicator();
    void RememberWidth(int column, int oldWidth, int newWidth);

    CListModel& m_model;
    CTesselSession& m_session;
    IProfile& m_profile;
    QPointer<QWidget> m_pEditor;
    std::array<std::vector<int>, 2> m_widths;  // normal, MP3: as the user last left them
    SLastSort m_lastSort;
    bool m_bSyncing = false;
    bool m_bApplyingWidths = false;
    bool m_bResetting = false;

    friend class CCellDelegate;
};
