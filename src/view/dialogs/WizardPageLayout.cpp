// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/dialogs/WizardPageLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kPictureWidth = 220;
constexpr int kPictureHeight = 292;

QLabel* MakePicture() {
    auto* picture = new QLabel;
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(
        QPixmap(QStringLiteral(":/dialogs/images/wizard.svg"))
            .scaled(kPictureWidth, kPictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    const int frame = 2 * picture->frameWidth();
    picture->setFixedSize(kPictureWidth + frame, kPictureHeight + frame);
    return picture;
}

}  // namespace

QBoxLayout* WizardPageLayout(QWidget* page) {
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(MakePicture(), 0, Qt::AlignTop);
    row->addSpacing(12);
    auto* column = new QVBoxLayout;
    row->addLayout(column, 1);
    // Wide enough for a sample of four numbered names of common length to show whole.
    column->addSpacerItem(new QSpacerItem(440, 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
    return column;
}

QLabel* WizardText(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}
