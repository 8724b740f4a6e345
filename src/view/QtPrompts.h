// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "model/Prompts.h"

class IProfile;
class CProgressDialog;

// The window's side of the prompts port: every question and dialog a core command asks
// for becomes a Qt dialog over the main window. A long operation's progress is a dialog
// shown while the window's event loop goes on; its Cancel button sets the flag that
// CancelRequested reads.
class CQtPrompts : public IPrompts {
public:
    explicit CQtPrompts(IProfile& profile) : m_profile(profile) {}
    ~CQtPrompts() override;

    void SetParentWindow(QWidget* window) { m_pWindow = window; }
    QWidget* ParentWindow() const { return m_pWindow; }
    // Without a person to answer (a run that quits after loading): messages go to the
    // standard error and every question is answered with its most careful button.
    void SetUnattended(bool unattended) { m_bUnattended = unattended; }

    EAnswer Message(EMessageId id, const std::string& text, EIcon icon, EButtons buttons) override;
    EAnswer MessageWithParts(EMessageId id, const std::string& text,
                             const std::vector<std::string>& parts, EIcon icon,
                             EButtons buttons) override;
    bool ChooseFilesToAdd(std::vector<std::string>& paths) override;
    bool ChooseExtension(SExtensionChoice& choice) override;
    bool ShowResults(const CResultsList& results) override;
    bool AskSwapMiddle(std::string& middle) override;
    bool AskSeparator(SSeparatorChoice& choice) override;
    bool ShowOptions(EOptionsPage page, SId3EditorOptions& options) override;
    bool RunRenameWizard(const SWizardInput& input, SNumberingSettings& settings) override;

    void BeginProgress(int range) override;
    void SetProgress(int position) override;
    void SetProgressFile(int position, const std::string& path) override;
    void ShowProgress(bool visible) override;
    void EndProgress() override;
    bool CancelRequested() override;

private:
    IProfile& m_profile;
    QPointer<QWidget> m_pWindow;
    QPointer<CProgressDialog> m_pProgress;
    bool m_bUnattended = false;
};
