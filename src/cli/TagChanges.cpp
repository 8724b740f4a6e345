// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TagChanges.h"

#include <cstdio>
#include <vector>

#include "cli/CliPrompts.h"
#include "model/ColumnTitles.h"
#include "model/GenreTable.h"
#include "model/HitDoc.h"
#include "model/ResultsList.h"
#include "model/TesselSession.h"
#include "mp3/TagTextLoss.h"

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

std::string YearText(int year) {
    return year == -1 ? std::string() : std::to_string(year);
}

// The six fields of a tag as text, in column order from kColTitle.
std::vector<std::string> FieldTexts(const STagFields& tag) {
    return {tag.title.Get(),     tag.artist.Get(),      tag.album.Get(),
            YearText(tag.nYear), GenreName(tag.nGenre), tag.comment.Get()};
}

const STagTextLoss* LossOf(const std::vector<STagTextLoss>& losses, int column) {
    for (const STagTextLoss& loss : losses)
        if (loss.nColumn == column)
            return &loss;
    return nullptr;
}

void WriteLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

void PrintTagChanges(const std::string& file, const CHitDoc& entry, int code) {
    std::vector<std::string> before = FieldTexts(entry.GetSavedTag());
    std::vector<std::string> after = FieldTexts(entry.Tag());
    std::vector<STagTextLoss> losses = FindTagTextLoss(entry.Tag());
    for (int column = kColTitle; column <= kColComment; ++column) {
        size_t i = static_cast<size_t>(column - kColTitle);
        if (before[i] == after[i])
            continue;
        std::string line = file + ": " + ColumnTitle(EMode::Mp3, column) + ": " +
                           Quoted(before[i]) + " -> " + Quoted(after[i]);
        if (const STagTextLoss* loss = LossOf(losses, column))
            line += " (stored as " + Quoted(loss->strStored) + ")";
        WriteLine(line + "\n");
    }
    if (code != kResultOk)
        WriteLine(file + ": " + ResultText(code) + "\n");
}

bool ReportTextLoss(const std::string& file, const CHitDoc& entry) {
    std::vector<STagTextLoss> losses = FindTagTextLoss(entry.Tag());
    for (const STagTextLoss& loss : losses)
        ReportError(file, std::string(ColumnTitle(EMode::Mp3, loss.nColumn)) + " stored as " +
                              Quoted(loss.strStored) + ": " + kTagTextLossText);
    return !losses.empty();
}
