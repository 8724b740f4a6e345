// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QStringList>
#include <QTabBar>
#include <QWizard>

// The keyboard letters of one page of a dialog, as a person meets them: the controls
// shown at the moment, each reached by Alt and a letter of its own text (buttons, tabs),
// of its buddy label, or of the group box it is the first control of. Buttons that Enter
// or Escape press (the accept and reject buttons of a button box, a wizard's Cancel) and
// the controls named in reachedOtherwise need no letter.
struct SPageMnemonics {
    QMap<QChar, QStringList> controls;  // by letter, lower case
    QStringList missing;                // controls no letter reaches

    // "b: < &Back | Add number &before filename" for each letter of two or more controls.
    QStringList Duplicates() const {
        QStringList duplicates;
        for (auto it = controls.begin(); it != controls.end(); ++it)
            if (it->size() > 1)
                duplicates << QStringLiteral("%1: %2").arg(it.key()).arg(it->join(QStringLiteral(" | ")));
        return duplicates;
    }
};

namespace mnemonics_detail {

// The letter after a single "&", or a null character.
inline QChar LetterOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

inline QString Describe(const QWidget* widget, const QString& text) {
    return text.isEmpty() ? QStringLiteral("%1 '%2'").arg(QLatin1String(widget->metaObject()->className()),
                                                          widget->objectName())
                          : text;
}

inline bool PressedByEnterOrEscape(const QAbstractButton* button) {
    if (auto* box = qobject_cast<QDialogButtonBox*>(button->parentWidget())) {
        QDialogButtonBox::ButtonRole role = box->buttonRole(const_cast<QAbstractButton*>(button));
        return role == QDialogButtonBox::AcceptRole || role == QDialogButtonBox::RejectRole;
    }
    for (QWidget* up = button->parentWidget(); up != nullptr; up = up->parentWidget())
        if (auto* wizard = qobject_cast<QWizard*>(up))
            return wizard->button(QWizard::CancelButton) == button;
    return false;
}

// The group box whose mnemonic gives the focus to this control: the control is the first
// one of the group's focus chain.
inline const QGroupBox* GroupLeadingTo(const QWidget* control) {
    auto* group = qobject_cast<const QGroupBox*>(control->parentWidget());
    if (group == nullptr)
        return nullptr;
    for (QWidget* next = group->nextInFocusChain(); next != group; next = next->nextInFocusChain()) {
        if (!group->isAncestorOf(next))
            continue;
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(group))
            return next == control ? group : nullptr;
    }
    return nullptr;
}

}  // namespace mnemonics_detail

inline SPageMnemonics CollectMnemonics(QWidget* dialog,
                                       const QList<const QWidget*>& reachedOtherwise = {}) {
    using namespace mnemonics_detail;
    SPageMnemonics page;
    const QList<QWidget*> widgets = dialog->findChildren<QWidget*>();
    auto shown = [dialog](const QWidget* widget) { return widget->isVisibleTo(dialog); };
    for (QWidget* widget : widgets) {
        if (!shown(widget) || reachedOtherwise.contains(widget))
            continue;
        if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                QChar letter = LetterOf(tabs->tabText(i));
                if (letter.isNull())
                    page.missing << Describe(tabs, tabs->tabText(i));
                else
                    page.controls[letter] << tabs->tabText(i);
            }
            continue;
        }
        // The parts of a spin box or a drop-down are reached through it.
        if (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ||
            qobject_cast<QComboBox*>(widget->parentWidget()))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (button->text().isEmpty() || PressedByEnterOrEscape(button))
                continue;
            QChar letter = LetterOf(button->text());
            if (letter.isNull())
                page.missing << Describe(button, button->text());
            else
                page.controls[letter] << button->text();
            continue;
        }
        bool input = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                     qobject_cast<QAbstractSpinBox*>(widget) ||
                     qobject_cast<QAbstractItemView*>(widget);
        if (!input || widget->focusPolicy() == Qt::NoFocus)
            continue;
        QString reachedBy;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->buddy() == widget && shown(label))
                reachedBy = label->text();
        if (reachedBy.isEmpty())
            if (const QGroupBox* group = GroupLeadingTo(widget))
                reachedBy = group->title();
        QChar letter = LetterOf(reachedBy);
        if (letter.isNull())
            page.missing << Describe(widget, reachedBy);
        else
            page.controls[letter] << reachedBy;
    }
    return page;
}
