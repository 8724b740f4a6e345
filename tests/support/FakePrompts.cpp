// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakePrompts.h"

EAnswer CFakePrompts::Message(EMessageId, const std::string& text, EIcon, EButtons buttons) {
    m_messages.push_back(text);
    m_messageParts.resize(m_messages.size());
    m_progressShownAtMessages.push_back(m_bProgressShown);
    EAnswer answer = buttons == EButtons::Ok      ? EAnswer::Ok
                     : buttons == EButtons::YesNo ? EAnswer::No
                                                  : EAnswer::Cancel;
    TakeNext(m_messageAnswers, answer);
    return answer;
}

EAnswer CFakePrompts::MessageWithParts(EMessageId id, const std::string& text,
                                       const std::vector<std::string>& parts, EIcon icon,
                                       EButtons buttons) {
    EAnswer answer = Message(id, text, icon, buttons);
    m_messageParts.back() = parts;
    return answer;
}

bool CFakePrompts::ShowResults(const CResultsList& results) {
    if (!results.m_bResultsMode && m_onPreview)
        m_onPreview();
    SShownResults& shown = m_results.emplace_back(
        SShownResults{results.CanConfirm(), {}, results.Summary(), results.ConfirmRefusal()});
    for (size_t i = 0; i < results.GetCount(); ++i)
        shown.rows.push_back({results.Code(i), results.SystemError(i), results.Comment(i)});
    bool answer = true;
    TakeNext(m_resultsAnswers, answer);
    return answer && results.CanConfirm();
}
