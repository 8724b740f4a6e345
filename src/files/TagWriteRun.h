// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

class CJournalFolder;
class CRunJournal;
class ITagWriteObserver;

// The key of the history of tag writes made on files given one by one, without a list.
inline constexpr const char* kLooseTagsKey = "tags";

// A command's tag writes kept as one run of a history: a list's, or that of the tag writes
// made without a list (kLooseTagsKey). The old bytes of each tag reach the run's journal
// before the tag is written, so undo puts them back byte for byte.
class CTagWriteRun {
public:
    CTagWriteRun();
    ~CTagWriteRun();

    // Starts the run's journal (listPath: the canonical path of the list, empty for none).
    // False, with the reason in error, when it cannot be written: no tag may then be
    // written.
    bool Start(const CJournalFolder& folder, const std::string& key, const std::string& listPath,
               std::string& error);
    // Who is to hear each tag write before it is made.
    ITagWriteObserver* Observer();
    // Ends the journal; a run that wrote no tag leaves none. Returns the first problem the
    // journal had, or "".
    std::string Finish();

private:
    std::unique_ptr<CRunJournal> m_pJournal;
};
