#include "view/ProgressDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Often enough for a smooth bar and a prompt Cancel.
constexpr qint64 kEventIntervalMs = 30;

}  // namespace

CProgressDialog::CProgressDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Progress Indicator"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);
    m_pBar = new QProgressBar(this);
    m_pBar->setTextVisible(false);
    m_pBar->setMinimumWidth(260);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(m_pCancel, &QPushButton::clicked, this, [this] {
        m_bCancelRequested = true;
        m_pCancel->setEnabled(false);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pBar);
    layout->addWidget(m_pCancel, 0, Qt::AlignRight);
}

void CProgressDialog::Begin(int range) {
    m_bCancelRequested = false;
    m_nPosition = 0;
    m_pBar->setRange(0, std::max(range, 1));
    m_pBar->setValue(0);
    m_pCancel->setEnabled(true);
    adjustSize();
    show();
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

void CProgressDialog::SetPosition(int position) {
    m_nPosition = position;
    KeepAlive();
}

void CProgressDialog::KeepAlive() {
    if (m_sinceEvents.elapsed() < kEventIntervalMs)
        return;
    m_pBar->setValue(m_nPosition);
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
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
