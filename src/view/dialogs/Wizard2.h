// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWizardPage>
#include <string>

class CNumberBox;
class CWizard1;
class QLineEdit;

// The wizard's second page: the number's digits, the step between rows and the first
// number, with a sample of four numbered names.
class CWizard2 : public QWizardPage {
    Q_OBJECT
public:
    CWizard2(const CWizard1& first, const std::string& sampleExt, QWidget* parent = nullptr);

    // The values as read from the boxes; only the sample keeps them within the arrows'
    // ranges.
    int Digits() const;
    int Increment() const;
    int Start() const;

    CNumberBox* DigitsBox() const { return m_pDigits; }
    CNumberBox* IncrementBox() const { return m_pIncrement; }
    CNumberBox* StartBox() const { return m_pStart; }
    QString Sample() const;

    void initializePage() override;
    // Brings the sample up to date with the first page's filename and the boxes.
    void Refresh();

private:
    const CWizard1& m_first;
    std::string m_strSampleExt;
    CNumberBox* m_pDigits;
    CNumberBox* m_pIncrement;
    CNumberBox* m_pStart;
    QLineEdit* m_pSample;
};
