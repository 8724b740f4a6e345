// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliPrompts.h"

#include <unistd.h>

#include <cstring>
#include <iostream>
#include <vector>

#include "model/ResultsList.h"

namespace {

constexpr const char* kProceedQuestion = "Proceed? [y/N] ";
// A blocked preview names this many of its blocking rows; the count tells the rest.
constexpr size_t kBlockersNamed = 5;

void WriteBytes(const std::string& text, FILE* out) {
    std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace

int ReportError(const std::string& subject, const std::string& problem) {
    std::fflush(stdout);
    std::string line = "tessel-cli: ";
    if (!subject.empty())
        line += subject + ": ";
    line += problem + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    return 1;
}

std::string Counted(size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

CCliPrompts::CCliPrompts() : m_bProgressOnTerminal(isatty(STDERR_FILENO) == 1) {}

namespace {

// Messages whose text names the file they are about already.
bool NamesItsFile(EMessageId id) {
    return id == EMessageId::CannotOpenList || id == EMessageId::DamagedList ||
           id == EMessageId::CannotSaveList;
}

}  // namespace

EAnswer CCliPrompts::Message(EMessageId id, const std::string& text, EIcon /*icon*/,
                             EButtons buttons) {
    if (buttons == EButtons::YesNoCancel)
        return EAnswer::Cancel;
    if (buttons == EButtons::YesNo)
        return EAnswer::No;
    ++m_nErrors;
    ReportError(NamesItsFile(id) ? std::string() : m_strSubject, text);
    return EAnswer::Ok;
}

bool CCliPrompts::ChooseFilesToAdd(std::vector<std::string>& /*paths*/) {
    return false;
}

bool CCliPrompts::ChooseExtension(SExtensionChoice& /*choice*/) {
    return false;
}

void CCliPrompts::PrintList(const CResultsList& results, FILE* out) const {
    // The lines are written in blocks: a list of 100,000 rows is printed with a few dozen
    // writes.
    constexpr size_t kBlockBytes = 1 << 20;
    CRecordText records(m_listing.recordFormat);
    std::string after;
    for (size_t i = 0; i < results.GetCount(); ++i) {
        const CHitDoc& record = results.Record(i);
        after.assign(record.m_strNewName.Get()).append(record.m_strExt.Get());
        records.Field(record.m_strName.Get());
        records.Field(after);
        // An OK row may carry a note (a tag field that loses characters); a failure's
        // reason goes to stderr.
        int code = results.Code(i);
        records.Field(code == kResultOk ? results.Comment(i) : ResultText(code));
        records.EndRecord();
        if (records.Text().size() >= kBlockBytes) {
            WriteBytes(records.Text(), out);
            records.Text().clear();
        }
    }
    WriteBytes(records.Text(), out);
}

bool CCliPrompts::ShowResults(const CResultsList& results) {
    if (results.m_bResultsMode) {
        if (m_listing.bPrintResults)
            PrintList(results, stdout);
        size_t count = results.GetCount();
        for (size_t i = results.FirstProblemFrom(0); i < count;
             i = results.FirstProblemFrom(i + 1)) {
            const CHitDoc& record = results.Record(i);
            ++m_nFailedResults;
            if (!m_listing.bReportFailures)
                continue;
            ReportError(record.m_strPath.Get(), results.Comment(i));
        }
        return true;
    }
    if (m_listing.bPrintPreview || m_listing.bDryRun)
        PrintList(results, stdout);
    if (results.IsBlocked()) {
        m_bBlocked = true;
        NoteBlockers(results);
        return false;
    }
    // A run with nothing to do needs no confirmation: the core ends it after the preview.
    if (m_listing.bDryRun || !results.HasWork())
        return false;
    if (m_listing.bConfirmed || !m_listing.bAskOnTerminal)
        return true;
    if (AskToProceed())
        return true;
    m_bRefused = true;
    return false;
}

void CCliPrompts::NoteBlockers(const CResultsList& preview) {
    m_nBlockers = 0;
    m_firstBlockers.clear();
    for (size_t i = preview.FirstProblemFrom(0); i < preview.GetCount();
         i = preview.FirstProblemFrom(i + 1)) {
        if (++m_nBlockers <= kBlockersNamed)
            m_firstBlockers.push_back({preview.Record(i).m_strPath.Get(), preview.Comment(i)});
    }
}

bool CCliPrompts::AskToProceed() {
    std::fflush(stdout);
    if (isatty(STDIN_FILENO) != 1)
        return false;
    std::fputs(kProceedQuestion, stderr);
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

bool CCliPrompts::AskSwapMiddle(std::string& /*middle*/) {
    return false;
}

bool CCliPrompts::AskSeparator(SSeparatorChoice& /*choice*/) {
    return false;
}

bool CCliPrompts::ShowOptions(EOptionsPage /*page*/, SId3EditorOptions& /*options*/) {
    return false;
}

bool CCliPrompts::RunRenameWizard(const SWizardInput& /*input*/, SNumberingSettings& /*settings*/) {
    return false;
}

void CCliPrompts::BeginProgress(int range) {
    m_nRange = range;
    m_nShownPercent = -1;
}

void CCliPrompts::SetProgress(int position) {
    // Only a person watching a terminal sees it; a big list shows a hundred steps at most.
    if (!m_bProgressOnTerminal || m_nRange < 1000)
        return;
    int percent = static_cast<int>(static_cast<long long>(position) * 100 / m_nRange);
    if (percent == m_nShownPercent)
        return;
    m_nShownPercent = percent;
    std::fprintf(stderr, "\r%3d%%", percent);
    std::fflush(stderr);
}

void CCliPrompts::ShowProgress(bool visible) {
    if (!visible && m_nShownPercent >= 0) {
        std::fputs("\r    \r", stderr);
        m_nShownPercent = -1;
    }
}

void CCliPrompts::EndProgress() {
    ShowProgress(false);
    m_nRange = 0;
}
