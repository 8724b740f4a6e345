// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/QtPrompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "model/ResultsList.h"
#include "view/CoreTexts.h"
#include "view/DisplayText.h"
#include "view/ExtensionDialog.h"
#include "view/OptionsDialog.h"
#include "view/ProgressDialog.h"
#include "view/ResultsDialog.h"
#include "view/SaveQuestion.h"
#include "view/dialogs/RenameWizard.h"
#include "view/dialogs/SeparatorDlg.h"
#include "view/dialogs/SwapDlg.h"

namespace {

QMessageBox::Icon BoxIcon(EIcon icon) {
    switch (icon) {
        case EIcon::Information:
            return QMessageBox::Information;
        case EIcon::Question:
            return QMessageBox::Question;
        case EIcon::Warning:
            return QMessageBox::Warning;
        case EIcon::Stop:
            return QMessageBox::Critical;
        case EIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(EButtons buttons) {
    switch (buttons) {
        case EButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case EButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case EButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

CQtPrompts::~CQtPrompts() {
    delete m_pProgress;
}

EAnswer CQtPrompts::Message(EMessageId id, const std::string& text, EIcon icon, EButtons buttons) {
    return MessageWithParts(id, text, {}, icon, buttons);
}

EAnswer CQtPrompts::MessageWithParts(EMessageId id, const std::string& text,
                                     const std::vector<std::string>& parts, EIcon icon,
                                     EButtons buttons) {
    // The standard error of an unattended window reads like the command line's: English.
    if (m_bUnattended) {
        std::fprintf(stderr, "tessel: %s\n", text.c_str());
        return buttons == EButtons::Ok
                   ? EAnswer::Ok
                   : (buttons == EButtons::YesNo ? EAnswer::No : EAnswer::Cancel);
    }
    if (id == EMessageId::SaveTagChanges)
        return AskSaveDiscardCancel(m_pWindow, BoxIcon(icon), CoreMessageText(id, text, parts));
    QMessageBox box(BoxIcon(icon), QStringLiteral("Tessel"), CoreMessageText(id, text, parts),
                    BoxButtons(buttons), m_pWindow);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return EAnswer::Yes;
        case QMessageBox::No:
            return EAnswer::No;
        case QMessageBox::Cancel:
            return EAnswer::Cancel;
        default:
            return EAnswer::Ok;
    }
}

bool CQtPrompts::ChooseFilesToAdd(std::vector<std::string>& paths) {
    QStringList chosen = QFileDialog::getOpenFileNames(
        m_pWindow, QCoreApplication::translate("CQtPrompts", "Add"), QString(),
        QCoreApplication::translate("CQtPrompts", "All Files (*)"));
    for (const QString& path : chosen)
        paths.push_back(PathBytes(path));
    return !chosen.isEmpty();
}

bool CQtPrompts::ChooseExtension(SExtensionChoice& choice) {
    CExtensionDialog dialog(m_pWindow);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

bool CQtPrompts::ShowResults(const CResultsList& results) {
    CResultsDialog dialog(results, m_pWindow);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtPrompts::AskSwapMiddle(std::string& middle) {
    return CSwapDlg::Ask(m_pWindow, middle);
}

bool CQtPrompts::AskSeparator(SSeparatorChoice& choice) {
    return CSeparatorDlg::Ask(m_pWindow, choice);
}

bool CQtPrompts::ShowOptions(EOptionsPage page, SId3EditorOptions& options) {
    COptionsDialog dialog(m_profile, page, options, m_pWindow);
    bool accepted = dialog.exec() == QDialog::Accepted;
    options = dialog.Id3Options();
    return accepted;
}

bool CQtPrompts::RunRenameWizard(const SWizardInput& input, SNumberingSettings& settings) {
    return CRenameWizard::Run(m_pWindow, input, settings);
}

void CQtPrompts::BeginProgress(int range) {
    if (!m_pProgress)
        m_pProgress = new CProgressDialog(m_pWindow);
    m_pProgress->Begin(range);
}

void CQtPrompts::SetProgress(int position) {
    if (m_pProgress)
        m_pProgress->SetPosition(position);
}

void CQtPrompts::SetProgressFile(int position, const std::string& path) {
    if (m_pProgress)
        m_pProgress->SetPosition(position, &path);
}

bool CQtPrompts::CancelRequested() {
    return m_pProgress && m_pProgress->isVisible() && m_pProgress->IsCancelRequested();
}

void CQtPrompts::ShowProgress(bool visible) {
    if (m_pProgress)
        m_pProgress->setVisible(visible);
}

void CQtPrompts::EndProgress() {
    if (m_pProgress)
        m_pProgress->hide();
}
