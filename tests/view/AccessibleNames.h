// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStringList>
#include <QTabBar>

// The controls shown under a window whose accessible name is empty: what a screen
// reader announces for them, buddy labels and group titles included, is nothing. Each is
// described by its class and object name.
inline QStringList ControlsWithoutName(QWidget* window) {
    QStringList unnamed;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        // A list's column titles are announced by their own texts, and take no focus.
        bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                       qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
                       (qobject_cast<QAbstractItemView*>(widget) && !qobject_cast<QHeaderView*>(widget)) ||
                       qobject_cast<QTabBar*>(widget);
        // The parts of a spin box or a drop-down are announced as the whole.
        bool part = qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ||
                    qobject_cast<QComboBox*>(widget->parentWidget());
        if (!control || part || !widget->isVisibleTo(window))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 '%2'").arg(QLatin1String(widget->metaObject()->className()),
                                                     widget->objectName());
    }
    return unnamed;
}
