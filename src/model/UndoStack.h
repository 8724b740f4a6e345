// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "model/HitDoc.h"
#include "model/ObjectStack.h"

// One undo step: copies of the entries a command changed, as they were before it, each
// with m_nTag holding its row index.
using CUndoRecord = CObjectStack<CHitDoc>;

enum EUndoKind : int {
    kUndoEdit = 0,       // rows whose entry changed
    kUndoRenameRun = 1,  // a Go run: the files go back through the run's journal
};

// The history: records with a kind beside each, and for a run the name of its journal.
class CUndoStack : public CObjectStack<CUndoRecord> {
public:
    void Push(std::unique_ptr<CUndoRecord> record, int kind, std::string journal = {}) {
        CObjectStack<CUndoRecord>::Push(std::move(record));
        m_kinds.push_back(kind);
        m_journals.push_back(std::move(journal));
    }
    int TopKind() const { return m_kinds.empty() ? kUndoEdit : m_kinds.back(); }
    const std::string& TopJournal() const {
        static const std::string kNone;
        return m_journals.empty() ? kNone : m_journals.back();
    }
    void Pop() {
        CObjectStack<CUndoRecord>::Pop();
        if (!m_kinds.empty()) {
            m_kinds.pop_back();
            m_journals.pop_back();
        }
        if (m_kinds.empty()) {
            m_kinds.shrink_to_fit();
            m_journals.shrink_to_fit();
        }
    }
    void Clear() {
        CObjectStack<CUndoRecord>::Clear();
        m_kinds.clear();
        m_kinds.shrink_to_fit();
        m_journals.clear();
        m_journals.shrink_to_fit();
    }

private:
    std::vector<int> m_kinds;
    std::vector<std::string> m_journals;
};
