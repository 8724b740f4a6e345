// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWizardPage>
#include <string>

#include "transform/Numbering.h"

class CNumberBox;
class CWizard1;
class CWizard2;
class QLineEdit;
class QRadioButton;

// The wizard's last page: where the number goes in the name, with a sample of the first
// row's new name.
class CWizard3 : public QWizardPage {
    Q_OBJECT
public:
    CWizard3(const CWizard1& first, const CWizard2& second, const std::string& sampleExt,
             QWidget* parent = nullptr);

    ENumberPosition Position() const;
    // The offset the numbering uses: -1 after the name, 0 before it, else the box's value
    // as read.
    int Offset() const;

    QRadioButton* AfterButton() const { return m_pAfter; }
    QRadioButton* BeforeButton() const { return m_pBefore; }
    QRadioButton* OffsetButton() const { return m_pOffsetButton; }
    CNumberBox* OffsetBox() const { return m_pOffset; }
    QString Sample() const;

    void initializePage() override;
    void Refresh();

private:
    void ChoosePosition(ENumberPosition position);

    const CWizard1& m_first;
    const CWizard2& m_second;
    std::string m_strSampleExt;
    QRadioButton* m_pAfter;
    QRadioButton* m_pBefore;
    QRadioButton* m_pOffsetButton;
    CNumberBox* m_pOffset;
    QLineEdit* m_pSample;
};
