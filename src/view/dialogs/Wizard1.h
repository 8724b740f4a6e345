// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWizardPage>
#include <string>

class QLineEdit;
class QRadioButton;

// The wizard's first page: the name the numbers are put into, either one typed name for
// every row or each row's own current name.
class CWizard1 : public QWizardPage {
    Q_OBJECT
public:
    // currentName is the longest current new name, offered in the box.
    explicit CWizard1(const std::string& currentName, QWidget* parent = nullptr);

    // The box's text; the current name's own bytes while the box still shows it, so a
    // name that is not valid UTF-8 is not altered by passing through the box.
    std::string Filename() const;
    bool StandardName() const;

    QLineEdit* FilenameBox() const { return m_pFilename; }
    QRadioButton* CurrentButton() const { return m_pCurrent; }
    QRadioButton* StandardButton() const { return m_pStandard; }

    // Puts the caret in the filename box with its text selected, unless the box is off.
    void FocusFilename();

    void initializePage() override;
    bool validatePage() override;

private:
    void UseCurrentName();
    void UseStandardName();

    std::string m_strCurrentName;
    QString m_currentShown;
    QRadioButton* m_pCurrent;
    QRadioButton* m_pStandard;
    QLineEdit* m_pFilename;
};
