// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractSpinBox>

// A number box with arrows at its right. The arrows (and the arrow keys) step within their
// range and write plain whole numbers; typing is free, so a value outside the range can
// still be entered and is read as the core reads number boxes.
class CNumberBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CNumberBox(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_nMinimum; }
    int Maximum() const { return m_nMaximum; }

    QString Text() const;
    void SetText(const QString& text);
    void SetValue(int value);
    // The box's value as the core reads it: the number its text starts with, else 0.
    int Value() const;
    // Puts the focus into the box with all its text selected.
    void FocusAndSelectAll();

    void stepBy(int steps) override;

signals:
    // Any change of the text, typed or stepped.
    void TextChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_nMinimum = 0;
    int m_nMaximum = 99;
};
