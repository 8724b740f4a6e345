// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/NumberBox.h"

#include <QLineEdit>
#include <algorithm>

#include "transform/Numbering.h"

CNumberBox::CNumberBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setAccelerated(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &CNumberBox::TextChanged);
}

void CNumberBox::SetRange(int minimum, int maximum) {
    m_nMinimum = minimum;
    m_nMaximum = std::max(minimum, maximum);
}

QString CNumberBox::Text() const {
    return lineEdit()->text();
}

void CNumberBox::SetText(const QString& text) {
    lineEdit()->setText(text);
}

void CNumberBox::SetValue(int value) {
    SetText(QString::number(value));
}

int CNumberBox::Value() const {
    return ReadNumberBox(Text().toStdString());
}

void CNumberBox::FocusAndSelectAll() {
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void CNumberBox::stepBy(int steps) {
    // A typed value outside the range steps back into it: up from 0 in a box that starts
    // at 1 gives 1, down from 9 in a box that ends at 4 gives 4.
    long long stepped = static_cast<long long>(Value()) + steps;
    SetValue(static_cast<int>(std::clamp<long long>(stepped, m_nMinimum, m_nMaximum)));
    selectAll();
}

QAbstractSpinBox::StepEnabled CNumberBox::stepEnabled() const {
    if (isReadOnly() || !isEnabled())
        return StepNone;
    int value = Value();
    StepEnabled enabled = StepNone;
    if (value > m_nMinimum)
        enabled |= StepDownEnabled;
    if (value < m_nMaximum)
        enabled |= StepUpEnabled;
    return enabled;
}
