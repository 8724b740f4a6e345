// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CellDelegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "model/GenreTable.h"
#include "model/TesselSession.h"
#include "view/DisplayText.h"
#include "view/ListModel.h"
#include "view/TesselView.h"

namespace {
constexpr int kGenreColumn = 5;
constexpr int kComboWidth = 150;
constexpr int kTextMargin = 5;
}  // namespace

CCellDelegate::CCellDelegate(CTesselView& view) : QStyledItemDelegate(&view), m_view(view) {}

bool CCellDelegate::IsGenreCell(const QModelIndex& index) const {
    return m_view.ListModel().Session().IsMp3Mode() && index.column() == kGenreColumn;
}

QWidget* CCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                     const QModelIndex& index) const {
    QWidget* editor = nullptr;
    if (IsGenreCell(index)) {
        auto* combo = new QComboBox(parent);
        for (const std::string& item : GenreDropDownItems())
            combo->addItem(QString::fromStdString(item));
        editor = combo;
    } else {
        auto* edit = new QLineEdit(parent);
        // The box grows with the text and never narrows, up to the list's right edge.
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            int wanted = edit->fontMetrics().horizontalAdvance(text) + 2 * kTextMargin +
                         edit->textMargins().left() + edit->textMargins().right();
            QWidget* area = edit->parentWidget();
            int limit = area != nullptr ? area->width() - edit->x() : wanted;
            int width = std::min(wanted, limit);
            if (width > edit->width())
                edit->resize(width, edit->height());
        });
        editor = edit;
    }
    // A screen reader announces the editor by its column's title.
    editor->setAccessibleName(
        index.model()->headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString());
    editor->installEventFilter(const_cast<CCellDelegate*>(this));
    m_view.m_pEditor = editor;
    return editor;
}

void CCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        int found = combo->findText(text, Qt::MatchFixedString);
        combo->setCurrentIndex(found >= 0 ? found : 0);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
}

void CCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // "(none)" stands for a genre left empty: the cell shows nothing then.
        QString text = combo->currentText();
        if (text == QLatin1String(kNoGenreItem))
            text.clear();
        model->setData(index, text, Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void CCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    if (qobject_cast<QComboBox*>(editor) != nullptr) {
        editor->setGeometry(option.rect.left(), option.rect.top(), kComboWidth,
                            option.rect.height());
        return;
    }
    // A line edit keeps a width it grew to; it only follows the cell's place.
    QRect rect = option.rect;
    if (editor->width() > rect.width() && editor->pos() == rect.topLeft())
        rect.setWidth(editor->width());
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    editor->setGeometry(rect);
}

bool CCellDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool editorKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                         key->key() == Qt::Key_Delete || key->key() == Qt::Key_Escape ||
                         (key->modifiers() & Qt::ControlModifier) != 0;
        if (editorKey) {
            // Accepted here, the key arrives as a key press in the editor instead of
            // running a window command.
            event->accept();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
