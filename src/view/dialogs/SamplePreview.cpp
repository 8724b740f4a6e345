// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/SamplePreview.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

QLineEdit* MakeSamplePreview() {
    auto* preview = new QLineEdit;
    preview->setReadOnly(true);
    preview->setFrame(false);
    preview->setFocusPolicy(Qt::NoFocus);
    // Shown on the group's own background, as a text rather than a box to type into.
    preview->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    return preview;
}

QGroupBox* SampleGroup(QLineEdit* preview) {
    auto* group = new QGroupBox(QCoreApplication::translate("SamplePreview", "Sample"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(preview);
    return group;
}

void ShowSample(QLineEdit* preview, const std::string& sample) {
    preview->setText(QString::fromStdString(sample));
    preview->setCursorPosition(0);
}
