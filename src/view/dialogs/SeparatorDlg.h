// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "model/Prompts.h"

class QLineEdit;
class QRadioButton;

// "Filename <-> ID3 Tag": the separator between artist and title in a file name, and which
// of the two comes first.
class CSeparatorDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the choice the command offers (" - " and "Artist - Title").
    explicit CSeparatorDlg(const SSeparatorChoice& choice, QWidget* parent = nullptr);

    // The separator exactly as typed, spaces included, and the order ticked.
    SSeparatorChoice Choice() const;

    QLineEdit* SeparatorBox() const { return m_pSeparator; }
    QRadioButton* ArtistFirstButton() const { return m_pArtistFirst; }
    QRadioButton* TitleFirstButton() const { return m_pTitleFirst; }

    // Runs the dialog modally; only OK changes the choice.
    static bool Ask(QWidget* parent, SSeparatorChoice& choice);

private:
    QLineEdit* m_pSeparator;
    QRadioButton* m_pArtistFirst;
    QRadioButton* m_pTitleFirst;
};
