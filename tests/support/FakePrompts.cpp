#include "support/FakePrompts.h"

namespace {

template <class T>
bool TakeNext(std::deque<T>& queue, T& out) {
    if (queue.empty())
        return false;
    out = queue.front();
    queue.pop_front();
    return true;
}

}  // namespace

EAnswer CFakePrompts::Message(EMessageId id, const std::string& text, EIcon, EButtons buttons) {
    m_messages.push_back(text);
    m_messageIds.push_back(id);
    EAnswer answer;
    if (TakeNext(m_messageAnswers, answer))
        return answer;
    switch (buttons) {
        case EButtons::Ok:
            return EAnswer::Ok;
        case EButtons::YesNo:
            return EAnswer::No;
        case EButtons::YesNoCancel:
            return EAnswer::Cancel;
    }
    return EAnswer::Cancel;
}

bool CFakePrompts::ChooseFilesToAdd(std::vector<std::string>& paths) {
    return TakeNext(m_filesToAdd, paths);
}

bool CFakePrompts::ChooseExtension(SExtensionChoice& choice) {
    return TakeNext(m_extensionChoices, choice);
}

bool CFakePrompts::ShowResults(const CResultsList& results) {
    if (!results.m_bResultsMode && m_onPreview)
        m_onPreview();
    SShownResults shown{results.m_strTitle, results.m_bResultsMode, results.CanConfirm(), {}};
    for (size_t i = 0; i < results.m_records.GetCount(); ++i) {
        const CHitDoc& record = results.m_records.At(i);
        shown.rows.push_back({record.m_strName.Get(), record.GetNewFileName(), record.m_nTag,
                              results.SystemError(i)});
    }
    m_results.push_back(shown);
    bool answer = true;
    TakeNext(m_resultsAnswers, answer);
    return answer && results.CanConfirm();
}

bool CFakePrompts::AskSwapMiddle(std::string& middle) {
    m_swapMiddlesOffered.push_back(middle);
    return TakeNext(m_swapMiddles, middle);
}

bool CFakePrompts::AskSeparator(SSeparatorChoice& choice) {
    m_separatorsOffered.push_back(choice);
    return TakeNext(m_separators, choice);
}

bool CFakePrompts::ShowOptions(EOptionsPage page, SId3EditorOptions& options) {
    m_optionsPages.push_back(page);
    return TakeNext(m_options, options);
}

bool CFakePrompts::RunRenameWizard(const SWizardInput& input, SNumberingSettings& settings) {
    m_wizardInputs.push_back(input);
    return TakeNext(m_wizardAnswers, settings);
}

void CFakePrompts::BeginProgress(int range) {
    m_progressRanges.push_back(range);
}

void CFakePrompts::SetProgress(int position) {
    m_progressPositions.push_back(position);
}
