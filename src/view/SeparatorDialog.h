#pragma once

#include <QDialog>

#include "model/Prompts.h"

class QLineEdit;
class QRadioButton;

// "Filename <-> ID3 Tag": the string between the two parts of a name and their order.
class CSeparatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSeparatorDialog(const SSeparatorChoice& choice, QWidget* parent = nullptr);
    SSeparatorChoice Choice() const;

private:
    QLineEdit* m_pSeparator;
    QRadioButton* m_pArtistFirst;
};
