// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "model/Prompts.h"
#include "model/RecordText.h"

// How a command's preview and results lists are shown and answered.
struct SCliListing {
    bool bDryRun = false;         // the preview is shown only, never confirmed
    bool bConfirmed = false;      // --yes: the preview is confirmed without asking
    bool bAskOnTerminal = false;  // otherwise "Proceed? [y/N]" is asked on a terminal
    bool bPrintPreview = true;    // which lists are printed on stdout
    bool bPrintResults = true;
    bool bReportFailures = true;  // rows of a results list that did not succeed go to stderr
    ERecordFormat recordFormat = ERecordFormat::Lines;  // how the lists are printed
};

// The prompts of the command line. The commands call the core's forms that take their
// settings, so no dialog is shown: a dialog that is asked for anyway is cancelled, and a
// question gets its cautious answer (No, or Cancel). Messages go to stderr as one line
// naming the file concerned, and the preview and results lists are printed as their rows
// read (Before, After, Comment).
class CCliPrompts : public IPrompts {
public:
    CCliPrompts();

    EAnswer Message(EMessageId id, const std::string& text, EIcon icon, EButtons buttons) override;
    bool ChooseFilesToAdd(std::vector<std::string>& paths) override;
    bool ChooseExtension(SExtensionChoice& choice) override;
    bool ShowResults(const CResultsList& results) override;
    bool AskSwapMiddle(std::string& middle) override;
    bool AskSeparator(SSeparatorChoice& choice) override;
    bool ShowOptions(EOptionsPage page, SId3EditorOptions& options) override;
    bool RunRenameWizard(const SWizardInput& input, SNumberingSettings& settings) override;
    void BeginProgress(int range) override;
    void SetProgress(int position) override;
    void ShowProgress(bool visible) override;
    void EndProgress() override;

    // The file that messages without a file name of their own are about.
    void SetSubject(const std::string& subject) { m_strSubject = subject; }
    void SetListing(const SCliListing& listing) { m_listing = listing; }

    // What happened.
    int Errors() const { return m_nErrors; }                // messages that reported a failure
    bool Blocked() const { return m_bBlocked; }             // a preview held a problem
    bool Refused() const { return m_bRefused; }             // a preview was not confirmed
    int FailedResults() const { return m_nFailedResults; }  // neither OK nor Unchanged
    // The rows of a blocked preview that block it: how many, and the first few of them.
    struct SBlocker {
        std::string strPath;
        std::string strVerdict;
    };
    size_t BlockerCount() const { return m_nBlockers; }
    const std::vector<SBlocker>& FirstBlockers() const { return m_firstBlockers; }

private:
    void PrintList(const CResultsList& results, FILE* out) const;
    bool AskToProceed();
    void NoteBlockers(const CResultsList& preview);

    SCliListing m_listing;
    std::string m_strSubject;
    int m_nErrors = 0;
    bool m_bBlocked = false;
    bool m_bRefused = false;
    int m_nFailedResults = 0;
    size_t m_nBlockers = 0;
    std::vector<SBlocker> m_firstBlockers;
    int m_nRange = 0;
    int m_nShownPercent = -1;
    bool m_bProgressOnTerminal = false;
};

// Writes "tessel-cli: SUBJECT: PROBLEM" (or without the subject when it is empty) on stderr
// and returns 1, the exit status of an error.
int ReportError(const std::string& subject, const std::string& problem);

// "1 row", "2 rows": a count with its noun, plural when the count is not one.
std::string Counted(size_t count, const std::string& noun);
