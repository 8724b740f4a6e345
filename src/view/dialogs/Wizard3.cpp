// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/Wizard3.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "view/dialogs/NumberBox.h"
#include "view/dialogs/SamplePreview.h"
#include "view/dialogs/Wizard1.h"
#include "view/dialogs/Wizard2.h"
#include "view/dialogs/WizardPageLayout.h"

CWizard3::CWizard3(const CWizard1& first, const CWizard2& second, const std::string& sampleExt,
                   QWidget* parent)
    : QWizardPage(parent),
      m_first(first),
      m_second(second),
      m_strSampleExt(sampleExt),
      m_pAfter(new QRadioButton(tr("Add number &after filename"))),
      m_pBefore(new QRadioButton(tr("Add number b&efore filename"))),
      m_pOffsetButton(new QRadioButton(tr("&Offset:"))),
      m_pOffset(new CNumberBox),
      m_pSample(MakeSamplePreview()) {
    setWindowTitle(tr("Rename Wizard - Step 3 of 3"));
    QBoxLayout* column = WizardPageLayout(this);
    column->addWidget(
        WizardText(tr("Click Finish to start creating a numerical sequence of filenames.")));
    column->addSpacing(8);
    column->addWidget(SampleGroup(m_pSample));
    column->addSpacing(8);
    column->addWidget(m_pAfter);
    column->addWidget(m_pBefore);
    auto* offsetRow = new QHBoxLayout;
    offsetRow->addWidget(m_pOffsetButton);
    offsetRow->addWidget(m_pOffset);
    offsetRow->addStretch();
    m_pOffset->setFixedWidth(m_pOffset->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) +
                             32);
    // Reached through the Offset button, which has no buddy to name the box.
    m_pOffset->setAccessibleName(tr("Offset"));
    column->addLayout(offsetRow);
    column->addStretch();
    column->addWidget(WizardText(tr("To continue, click Finish")));

    connect(m_pAfter, &QRadioButton::clicked, this,
            [this] { ChoosePosition(ENumberPosition::After); });
    connect(m_pBefore, &QRadioButton::clicked, this,
            [this] { ChoosePosition(ENumberPosition::Before); });
    connect(m_pOffsetButton, &QRadioButton::clicked, this,
            [this] { ChoosePosition(ENumberPosition::Offset); });
    connect(m_pOffset, &CNumberBox::TextChanged, this, [this] {
        if (Position() == ENumberPosition::Offset)
            Refresh();
    });
}

ENumberPosition CWizard3::Position() const {
    if (m_pBefore->isChecked())
        return ENumberPosition::Before;
    if (m_pOffsetButton->isChecked())
        return ENumberPosition::Offset;
    return ENumberPosition::After;
}

int CWizard3::Offset() const {
    return PositionOffset(Position(), m_pOffset->Value());
}

QString CWizard3::Sample() const {
    return m_pSample->text();
}

void CWizard3::initializePage() {
    // Fixed by the filename of the first visit; the sample follows later changes of it.
    m_pOffset->SetRange(0, MaxOffset(m_first.Filename()));
    m_pAfter->setChecked(true);
    m_pOffset->SetValue(0);
    m_pOffset->setEnabled(false);
    Refresh();
}

void CWizard3::Refresh() {
    ShowSample(m_pSample, PositionPreview(m_first.Filename(), m_second.Digits(), m_second.Start(),
                                          Position(), m_pOffset->Value(), m_strSampleExt));
}

void CWizard3::ChoosePosition(ENumberPosition position) {
    const bool offset = position == ENumberPosition::Offset;
    m_pOffset->setEnabled(offset);
    if (offset)
        m_pOffset->FocusAndSelectAll();
    Refresh();
}
