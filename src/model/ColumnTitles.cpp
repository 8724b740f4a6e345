// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ColumnTitles.h"

#include <strings.h>

namespace {

constexpr const char* kNormalTitles[CRenameList::kNormalColumns] = {
    "New Filename", "Current Filename", "Type", "Size", "Modified", "In Folder"};
constexpr const char* kMp3Titles[CRenameList::kMp3Columns] = {
    "Filename", "Title", "Artist", "Album", "Year", "Genre", "Comment"};

}  // namespace

const char* ColumnTitle(EMode mode, int column) {
    bool mp3 = mode == EMode::Mp3;
    int count = mp3 ? CRenameList::kMp3Columns : CRenameList::kNormalColumns;
    if (column < 0 || column >= count)
        return "";
    return mp3 ? kMp3Titles[column] : kNormalTitles[column];
}

int ColumnFromTitle(EMode mode, const std::string& title) {
    int count = mode == EMode::Mp3 ? CRenameList::kMp3Columns : CRenameList::kNormalColumns;
    for (int column = 0; column < count; ++column)
        if (strcasecmp(title.c_str(), ColumnTitle(mode, column)) == 0)
            return column;
    return -1;
}
