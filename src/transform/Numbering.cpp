// SPDX-License-Identifier: GPL-3.0-or-later
#include "transform/Numbering.h"

#include <algorithm>
#include <climits>

#include "model/TextField.h"
#include "model/Utf8Text.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int ReadNumberBox(const std::string& text) {
    long value = LeadingNumber(text);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

int PositionOffset(ENumberPosition position, int offset) {
    switch (position) {
        case ENumberPosition::After:
            return -1;
        case ENumberPosition::Before:
            return 0;
        case ENumberPosition::Offset:
            return offset;
    }
    return -1;
}

int MaxOffset(const std::string& filename) {
    return static_cast<int>(std::min<size_t>(CharacterCount(filename), INT_MAX));
}

std::string CheckWizardFilename(const std::string& filename) {
    // Blanks alone are a name like any other: numbering gives them their number.
    return filename.empty() ? kEnterFilenameMessage : std::string();
}

SWizardInput LongestNewName(const CRenameList& list) {
    SWizardInput longest;
    size_t longestLength = 0;
    for (int row = 0; row < list.GetCount(); ++row) {
        const CHitDoc& entry = list.GetEntry(row);
        size_t length = CharacterCount(entry.m_strNewName.Get());
        if (length > longestLength) {
            longestLength = length;
            longest.strCurrentName = entry.m_strNewName.Get();
            longest.strSampleExt = entry.m_strExt.Get();
        }
    }
    return longest;
}

std::string SequencePreview(const std::string& filename, int digits, int increment, int start,
                            const std::string& sampleExt) {
    digits = std::clamp(digits, kDigitsMin, kDigitsMax);
    increment = std::clamp(increment, kIncrementMin, kIncrementMax);
    start = std::clamp(start, kStartMin, kStartMax);
    const CTextField name(filename);
    std::string text;
    for (int k = 0; k < 4; ++k)
        text += "     " + name.WithNumber(start + k * increment, digits, -1) + sampleExt;
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    return text.substr(first);
}

std::string PositionPreview(const std::string& filename, int digits, int start,
                            ENumberPosition position, int offset, const std::string& sampleExt) {
    digits = std::clamp(digits, kDigitsMin, kDigitsMax);
    start = std::clamp(start, kStartMin, kStartMax);
    offset = std::clamp(offset, 0, MaxOffset(filename));
    return CTextField(filename).WithNumber(start, digits, PositionOffset(position, offset)) +
           sampleExt;
}

ECommandOutcome ApplyNumbering(CTesselSession& session, const SNumberingSettings& settings) {
    session.EndEditing();
    CRenameList& list = session.List();
    session.TakePartialSnapshot();
    const CTextField standardName(settings.strName);
    CTextField numbered;
    for (int row = 0; row < list.GetCount(); ++row) {
        CTextField& name = list.GetEntry(row).m_strNewName;
        // Computed in 64 bits: typed values far outside the arrows' ranges must not wrap.
        long long number = static_cast<long long>(settings.nStart) +
                           static_cast<long long>(row) * settings.nIncrement;
        const CTextField& base = settings.bStandardName ? standardName : name;
        numbered.Set(base.WithNumber(number, settings.nDigits, settings.nOffset));
        if (numbered == name)
            continue;
        session.KeepRow(row);
        name = numbered;  // a copy into the name's own storage, which mostly fits
    }
    list.RefreshRows(0, list.GetCount() - 1);
    return session.CommitSnapshot(kUndoEdit) ? ECommandOutcome::Changed
                                             : ECommandOutcome::Unchanged;
}

bool CheckWizardFilename(IPrompts& prompts, const std::string& filename) {
    std::string problem = CheckWizardFilename(filename);
    if (problem.empty())
        return true;
    prompts.Message(EMessageId::EnterFilename, problem, EIcon::Stop, EButtons::Ok);
    return false;
}

ECommandOutcome RenameWizard(CTesselSession& session) {
    if (session.List().GetCount() == 0 || session.IsMp3Mode())
        return ECommandOutcome::Unchanged;
    SWizardInput input = LongestNewName(session.List());
    SNumberingSettings settings;
    settings.strName = input.strCurrentName;
    if (!session.Prompts().RunRenameWizard(input, settings))
        return ECommandOutcome::Cancelled;
    return RenameWizard(session, settings);
}

ECommandOutcome RenameWizard(CTesselSession& session, const SNumberingSettings& settings) {
    if (session.List().GetCount() == 0 || session.IsMp3Mode())
        return ECommandOutcome::Unchanged;
    const std::string firstPage =
        settings.bStandardName ? settings.strName : LongestNewName(session.List()).strCurrentName;
    if (!CheckWizardFilename(session.Prompts(), firstPage))
        return ECommandOutcome::Cancelled;
    return ApplyNumbering(session, settings);
}
