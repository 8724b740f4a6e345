// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QBoxLayout;
class QLabel;
class QWidget;

// Lays out a wizard page: the wizard's picture on the left, in a sunken frame, and the
// page's own controls to its right in the returned column.
QBoxLayout* WizardPageLayout(QWidget* page);

// A page's fixed text, wrapped to the column's width.
QLabel* WizardText(const QString& text);
