// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class CTesselView;

// The in-place editors of the list: a line edit for a name or a tag text, a drop-down for
// the genre. The open editor is remembered by the view so that a command, a scroll or a
// column click can commit it; while it has the focus, the window's shortcuts stay quiet
// so that Enter, Delete, Escape and Ctrl keys reach the editor.
class CCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CCellDelegate(CTesselView& view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    // The genre is chosen from a drop-down; every other cell is typed.
    bool IsGenreCell(const QModelIndex& index) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CTesselView& m_view;
};
