// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ProgressDialog.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/CountText.h"
#include "view/CoreTexts.h"

namespace {

// Often enough for a smooth bar.
constexpr qint64 kShowIntervalMs = 30;
// Texts that change faster than this could not be read anyway.
constexpr qint64 kTextIntervalMs = 250;
constexpr int kTextWidth = 360;

// The last part of a path, as its bytes read in UTF-8 (a byte that is none shows as a
// replacement character).
QString FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string_view name(path);
    if (slash != std::string::npos && slash + 1 < path.size())
        name.remove_prefix(slash + 1);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

CProgressDialog::CProgressDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Progress Indicator"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);
    m_pCount = new QLabel(this);
    m_pCount->setObjectName(QStringLiteral("count"));
    m_pFile = new QLabel(this);
    m_pFile->setObjectName(QStringLiteral("file"));
    m_pFile->setFixedWidth(kTextWidth);
    m_pFile->setTextFormat(Qt::PlainText);
    m_pFile->setMinimumHeight(m_pFile->fontMetrics().height());
    m_pBar = new QProgressBar(this);
    m_pBar->setTextVisible(false);
    m_pBar->setMinimumWidth(kTextWidth);
    m_pCancel = new QPushButton(tr("Cancel"), this);
    connect(m_pCancel, &QPushButton::clicked, this, [this] {
        m_bCancelRequested = true;
        m_pCancel->setEnabled(false);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pCount);
    layout->addWidget(m_pFile);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pCancel, 0, Qt::AlignRight);
}

void CProgressDialog::Begin(int range) {
    m_bCancelRequested = false;
    m_nPosition = 0;
    m_nRange = std::max(range, 0);
    m_pBar->setRange(0, std::max(range, 1));
    m_pCancel->setEnabled(true);
    m_pFile->clear();
    m_strFile.clear();
    ShowPosition();
    ShowTexts();
    adjustSize();
    show();
}

void CProgressDialog::SetPosition(int position, const std::string* path) {
    m_nPosition = position;
    if (path != nullptr)
        m_strFile = *path;
    if (m_sinceShown.elapsed() < kShowIntervalMs)
        return;
    ShowPosition();
    if (m_sinceTexts.elapsed() >= kTextIntervalMs)
        ShowTexts();
}

void CProgressDialog::ShowPosition() {
    m_pBar->setValue(m_nPosition);
    m_sinceShown.start();
}

void CProgressDialog::ShowTexts() {
    m_pCount->setText(tr("%1 of %2")
                          .arg(CountText(static_cast<size_t>(std::max(m_nPosition, 0))),
                               CountText(static_cast<size_t>(m_nRange))));
    if (!m_strFile.empty())
        m_pFile->setText(m_pFile->fontMetrics().elidedText(FileNameOf(m_strFile), Qt::ElideMiddle,
                                                           m_pFile->width()));
    m_sinceTexts.start();
}

void CProgressDialog::closeEvent(QCloseEvent* event) {
    // The operation decides when the dialog goes.
    event->ignore();
}

void CProgressDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (m_pCancel->isEnabled())
            m_pCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
