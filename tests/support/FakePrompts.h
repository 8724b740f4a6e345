// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "model/Prompts.h"
#include "model/ResultsList.h"

// One row of a results dialog as the user would read it.
struct SShownResult {
    int nCode = 0;
    int nSystemError = 0;
    std::string strComment;
};

struct SShownResults {
    bool bCanConfirm = true;
    std::vector<SShownResult> rows;
    std::string strSummary;  // the counts above the rows
    std::string strRefusal;  // why OK is disabled
};

// Answers every prompt from a script and records what was shown. An unscripted question
// gets the cautious answer (Cancel, No, OK for a plain message).
class CFakePrompts : public IPrompts {
public:
    EAnswer Message(EMessageId id, const std::string& text, EIcon icon, EButtons buttons) override;
    EAnswer MessageWithParts(EMessageId id, const std::string& text,
                             const std::vector<std::string>& parts, EIcon icon,
                             EButtons buttons) override;
    bool ShowResults(const CResultsList& results) override;
    bool ChooseFilesToAdd(std::vector<std::string>& p) override {
        return TakeNext(m_filesToAdd, p);
    }
    bool ChooseExtension(SExtensionChoice& c) override { return TakeNext(m_extensionChoices, c); }
    bool AskSwapMiddle(std::string&) override { return false; }
    bool AskSeparator(SSeparatorChoice& choice) override { return TakeNext(m_separators, choice); }
    bool ShowOptions(EOptionsPage, SId3EditorOptions& o) override { return TakeNext(m_options, o); }
    bool RunRenameWizard(const SWizardInput& input, SNumberingSettings& settings) override {
        m_wizardInputs.push_back(input);
        return TakeNext(m_wizardAnswers, settings);
    }
    void BeginProgress(int range) override { m_progressRanges.push_back(range); }
    void SetProgress(int position) override { m_progressPositions.push_back(position); }
    void SetProgressFile(int position, const std::string& path) override {
        m_progressPositions.push_back(position);
        m_progressFiles.push_back(path);
    }
    void ShowProgress(bool shown) override { m_bProgressShown = shown; }
    void EndProgress() override {}
    bool CancelRequested() override { return m_cancelRequested && m_cancelRequested(); }

    // Scripted answers, taken in order.
    std::deque<EAnswer> m_messageAnswers;
    std::deque<std::vector<std::string>> m_filesToAdd;
    std::deque<SExtensionChoice> m_extensionChoices;  // an empty queue cancels
    std::deque<bool> m_resultsAnswers;                // an empty queue answers OK
    std::deque<SSeparatorChoice> m_separators;        // an empty queue cancels
    std::deque<SId3EditorOptions> m_options;          // an empty queue cancels
    std::deque<SNumberingSettings> m_wizardAnswers;   // an empty queue cancels
    // Runs while a preview is on screen, as another program might act meanwhile.
    std::function<void()> m_onPreview;
    // Asked between the steps of a long operation; none never cancels.
    std::function<bool()> m_cancelRequested;

    // What was shown.
    std::vector<std::string> m_messages;
    std::vector<std::vector<std::string>> m_messageParts;  // one entry a message, maybe empty
    std::vector<SShownResults> m_results;
    std::vector<SWizardInput> m_wizardInputs;
    std::vector<int> m_progressRanges;
    std::vector<int> m_progressPositions;
    std::vector<std::string> m_progressFiles;  // the files named with a position
    bool m_bProgressShown = true;
    std::vector<bool> m_progressShownAtMessages;  // whether the progress was on screen

private:
    // Takes the next scripted answer; false when the script has none left.
    template <class T>
    static bool TakeNext(std::deque<T>& queue, T& out) {
        if (queue.empty())
            return false;
        out = queue.front();
        queue.pop_front();
        return true;
    }
};
