#include "view/ProgressDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Often enough for a smooth bar.
constexpr qint64 kShowIntervalMs = 30;

}  // namespace

CProgressDialog::CProgressDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Progress Indicator"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);
    m_pCount = new QLabel(this);
    m_pBar = new QProgressBar(this);
    m_pBar->setTextVisible(false);
    m_pBar->setMinimumWidth(260);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(m_pCancel, &QPushButton::clicked, this, [this] {
        m_bCancelRequested = true;
        m_pCancel->setEnabled(false);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pCount);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pCancel, 0, Qt::AlignRight);
}

void CProgressDialog::Begin(int range) {
    m_bCancelRequested = false;
    m_nPosition = 0;
    m_nRange = std::max(range, 0);
    m_pBar->setRange(0, std::max(range, 1));
    m_pCancel->setEnabled(true);
    ShowPosition();
    adjustSize();
    show();
}

void CProgressDialog::SetPosition(int position) {
    m_nPosition = position;
    if (m_sinceShown.elapsed() >= kShowIntervalMs)
        ShowPosition();
}

void CProgressDialog::ShowPosition() {
    m_pBar->setValue(m_nPosition);
    m_pCount->setText(QStringLiteral("%1 of %2").arg(m_nPosition).arg(m_nRange));
    m_sinceShown.start();
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
