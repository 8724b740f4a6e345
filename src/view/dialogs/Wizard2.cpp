// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/Wizard2.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "transform/Numbering.h"
#include "view/dialogs/NumberBox.h"
#include "view/dialogs/SamplePreview.h"
#include "view/dialogs/Wizard1.h"
#include "view/dialogs/WizardPageLayout.h"

CWizard2::CWizard2(const CWizard1& first, const std::string& sampleExt, QWidget* parent)
    : QWizardPage(parent),
      m_first(first),
      m_strSampleExt(sampleExt),
      m_pDigits(new CNumberBox),
      m_pIncrement(new CNumberBox),
      m_pStart(new CNumberBox),
      m_pSample(MakeSamplePreview()) {
    setWindowTitle(tr("Rename Wizard - Step 2 of 3"));
    QBoxLayout* column = WizardPageLayout(this);
    column->addWidget(
        WizardText(tr("Select the appropriate number format to achieve the desired effect.")));
    column->addSpacing(8);
    column->addWidget(SampleGroup(m_pSample));
    column->addSpacing(8);

    auto* boxes = new QFormLayout;
    boxes->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const std::pair<const char*, CNumberBox*> rows[] = {{QT_TR_NOOP("&Digits:"), m_pDigits},
                                                        {QT_TR_NOOP("&Increment:"), m_pIncrement},
                                                        {QT_TR_NOOP("&Start from:"), m_pStart}};
    for (const auto& [text, box] : rows) {
        auto* label = new QLabel(tr(text));
        label->setBuddy(box);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 32);
        boxes->addRow(label, box);
        connect(box, &CNumberBox::TextChanged, this, &CWizard2::Refresh);
    }
    column->addLayout(boxes);
    column->addStretch();
    column->addWidget(WizardText(tr("To continue, click Next.")));
}

int CWizard2::Digits() const {
    return m_pDigits->Value();
}

int CWizard2::Increment() const {
    return m_pIncrement->Value();
}

int CWizard2::Start() const {
    return m_pStart->Value();
}

QString CWizard2::Sample() const {
    return m_pSample->text();
}

void CWizard2::initializePage() {
    m_pDigits->SetRange(kDigitsMin, kDigitsMax);
    m_pIncrement->SetRange(kIncrementMin, kIncrementMax);
    m_pStart->SetRange(kStartMin, kStartMax);
    m_pDigits->SetValue(2);
    m_pIncrement->SetValue(1);
    m_pStart->SetValue(1);
    Refresh();
}

void CWizard2::Refresh() {
    ShowSample(m_pSample,
               SequencePreview(m_first.Filename(), Digits(), Increment(), Start(), m_strSampleExt));
}
