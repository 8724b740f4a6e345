#pragma once

#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/Prompts.h"
#include "model/RecordText.h"

// The prompts of the command line: every question is answered from the command's options,
// messages go to stderr as one line naming the file concerned, and the preview and
// results lists are printed as their rows read (Before, After, Comment).
class CCliPrompts : public IPrompts {
public:
    CCliPrompts();

    EAnswer Message(const std::string& text, EIcon icon, EButtons buttons) override;
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

    // The answers, set from the options before a command runs.
    std::vector<std::string> m_filesToAdd;
    std::optional<std::string> m_extension;            // --ext: every file gets this extension
    std::map<std::string, EAnswer> m_questionAnswers;  // by the question's text
    std::string m_strMiddle;
    SSeparatorChoice m_separator;
    std::array<bool, 4> m_fields{true, true, true, true};  // Title, Artist, Album, Comment
    SNumberingSettings m_numbering;
    bool m_bCurrentName = false;  // number the rows' own names instead of one given name
    bool m_bNameGiven = false;    // m_numbering.strName came from --name

    // How a preview is answered: shown only (dry run), confirmed, or asked on a terminal.
    bool m_bDryRun = false;
    bool m_bConfirmed = false;
    bool m_bAskOnTerminal = false;
    // Which lists are printed on stdout.
    bool m_bPrintPreview = true;
    bool m_bPrintResults = true;
    // Rows of a results list that did not succeed go to stderr.
    bool m_bReportFailures = true;
    // How the lists are printed.
    ERecordFormat m_recordFormat = ERecordFormat::Lines;

    // What happened.
    int m_nErrors = 0;              // messages that reported a failure
    bool m_bBlocked = false;        // a preview held a problem and could not be confirmed
    bool m_bRefused = false;        // a preview was not confirmed
    bool m_bRanResults = false;     // a results list was shown
    int m_nFailedResults = 0;       // its rows whose code is neither OK nor Unchanged
    bool m_bWizardRefused = false;  // numbering had no filename to start from

private:
    void PrintList(const CResultsList& results, FILE* out) const;
    bool AskToProceed();

    std::string m_strSubject;
    int m_nRange = 0;
    int m_nShownPercent = -1;
    bool m_bProgressOnTerminal = false;
};

// Writes "tessel-cli: SUBJECT: PROBLEM" (or without the subject when it is empty) on stderr
// and returns 1, the exit status of an error.
int ReportError(const std::string& subject, const std::string& problem);
