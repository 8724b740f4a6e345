// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/RenameList.h"
#include "model/UndoStack.h"

class IPrompts;

// Told when a command would grow a name or a tag text past kMaxNameBytes; the command
// then changes nothing.
inline constexpr const char* kNameTooLongMessage =
    "A name would grow past 4,096 bytes: the command was refused and nothing changed.";
class IProfile;
class IRunObserver;
class ITagWriteObserver;

// The tag columns of MP3 mode.
enum EMp3Column : int {
    kColFilename = 0,
    kColTitle = 1,
    kColArtist = 2,
    kColAlbum = 3,
    kColYear = 4,
    kColGenre = 5,
    kColComment = 6,
};

// The cell that find starts from and an MP3-mode click sets.
struct SCurrentCell {
    int nRow = -1;
    int nColumn = 0;
};

// Everything a list window holds besides the screen: the rows, the mode and view state,
// the undo history and the document's modified mark, with the ports to the outside.
// Every command of the core works on one session.
class CTesselSession {
public:
    CTesselSession(IPrompts& prompts, IProfile& profile);

    CRenameList& List() { return m_list; }
    const CRenameList& List() const { return m_list; }
    IPrompts& Prompts() { return m_prompts; }
    IProfile& Profile() { return m_profile; }
    CUndoStack& UndoHistory() { return m_undo; }
    bool CanUndo() const { return !m_undo.IsEmpty(); }

    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified) { m_bModified = modified; }

    // Who hears the renames of a Go run as they happen; none by default.
    void SetRunObserver(IRunObserver* observer) { m_pRunObserver = observer; }
    IRunObserver* GetRunObserver() const { return m_pRunObserver; }
    // Who hears each tag write before it is made; none by default.
    void SetTagWriteObserver(ITagWriteObserver* observer) { m_pTagWriteObserver = observer; }
    ITagWriteObserver* GetTagWriteObserver() const { return m_pTagWriteObserver; }

    // The editing pattern: a snapshot of every row before a command, and one undo step
    // of the rows that differ after it. Commit returns whether a step was recorded. Every
    // command that edits names or tags commits this way, so this is where one that grew a
    // text past kMaxNameBytes is refused: its rows are put back as the snapshot has them
    // and kNameTooLongMessage is shown.
    void TakeSnapshot();
    bool CommitSnapshot(int kind);
    // The same pattern for a command that knows which rows it changes: only the rows
    // handed to KeepRow (before their first change) are copied, and CommitSnapshot
    // compares just those, so a command over many rows copies only what it changes.
    // Such a command changes only new names and tag fields.
    void TakePartialSnapshot();
    void KeepRow(int row);
    // Records a Go run as an undo step: its journal (a name in the journal folder) holds
    // what the run renamed.
    void CommitRun(std::string journal);
    // Records the undo step of CRenameList::Reorder(order) just made: each row that got
    // another entry will get back the contents of the entry it held, copied from the row
    // that entry moved to. A reorder changes no entry, so no snapshot is needed.
    bool CommitReorder(const std::vector<int>& order);
    // A session whose changes are never undone in memory (a command line process that
    // ends after one command) records no undo steps for edits and reorders; the list is
    // still marked modified. Of each row an edit changes it keeps only the new name and
    // the tag fields, to put them back when a text grows too long. On by default.
    void SetUndoable(bool undoable) { m_bUndoable = undoable; }
    // Drops a pending snapshot and frees the storage kept for the next one.
    void ReleaseSnapshot();
    // Writes an edit record's copies back into their rows and pops it.
    void UndoEditRecord();

    // Appends a copy of the entry as a new row and empties the undo history.
    void AddEntry(const CHitDoc& entry);
    // The same for an entry made for the purpose, which the new row takes over.
    void AddEntry(std::unique_ptr<CHitDoc> entry);
    void RecomputeAllMp3() { m_bAllMp3 = m_list.AllRowsAreMp3(); }
    bool AllMp3() const { return m_bAllMp3; }
    void SetAllMp3(bool allMp3) { m_bAllMp3 = allMp3; }
    // Closes an open in-place editor, which commits its text first.
    void EndEditing();

    bool IsMp3Mode() const { return m_list.GetMode() == EMode::Mp3; }
    void SetNormalColumns();
    void SetMp3Columns();

    SCurrentCell m_currentCell;
    std::array<bool, 6> m_locks{};        // Title, Artist, Album, Year, Genre, Comment
    std::array<bool, 4> m_fieldChoice{};  // Title, Artist, Album, Comment
    std::array<bool, 7> m_sortFlags{};    // one per column position, flipped by each sort
    std::string m_strMiddle;              // the last middle string of Swap
    bool m_bNaturalOrder = false;         // column clicks sort texts in natural order

    // True when the lock flag of MP3 column 1 to 6 is set.
    bool IsLocked(int column) const;
    // Reads the locks and the field choice from the "Lock" and "Format" sections.
    void ReadLocksAndFieldChoice();

private:
    // Reads whether column clicks sort in natural order (SortRows.h), as the profile keeps it.
    void ReadNaturalOrder();
    bool CommitKeptRows(int kind);
    bool CommitKeptTexts();
    // Puts back every row the command changed when one of them grew a text too long;
    // true when it did.
    bool RefuseTooLongTexts();
    size_t KeptTextRows() const;
    bool KeptTextsGrewTooLong() const;
    void PutBackKeptTexts();
    bool PushUndoStep(std::unique_ptr<CUndoRecord> record, int kind);

    IPrompts& m_prompts;
    IProfile& m_profile;
    CRenameList m_list;
    CUndoStack m_undo;
    // The pending snapshot, valid while m_bPending. Its entries outlive the command so
    // that the next snapshot reuses their storage instead of allocating every field anew.
    std::vector<CHitDoc> m_pending;
    bool m_bPending = false;
    // A partial snapshot: a copy for each kept row, none for the others.
    std::vector<std::unique_ptr<CHitDoc>> m_kept;
    bool m_bPartial = false;
    // A partial snapshot of a session that is never undone: what an edit may change.
    struct SKeptTexts {
        CTextField newName;
        std::unique_ptr<STagFields> tag;  // none when the row had no tag
        bool bKept = false;
    };
    std::vector<SKeptTexts> m_keptTexts;
    IRunObserver* m_pRunObserver = nullptr;
    ITagWriteObserver* m_pTagWriteObserver = nullptr;
    bool m_bAllMp3 = true;
    bool m_bModified = false;
    bool m_bUndoable = true;
};
