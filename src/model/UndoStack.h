#pragma once

#include <vector>

#include "model/HitDoc.h"
#include "model/ObjectStack.h"

// One undo step: copies of the entries a command changed, as they were before it, each
// with m_nTag holding its row index.
using CUndoRecord = CObjectStack<CHitDoc>;

enum EUndoKind : int {
    kUndoEdit = 0,       // rows whose entry changed
    kUndoRenameRun = 1,  // every row, before a Go run renamed the files
};

// The history: records with a kind beside each.
class CUndoStack : public CObjectStack<CUndoRecord> {
public:
    void Push(std::unique_ptr<CUndoRecord> record, int kind) {
        CObjectStack<CUndoRecord>::Push(std::move(record));
        m_kinds.push_back(kind);
    }
    int TopKind() const { return m_kinds.empty() ? kUndoEdit : m_kinds.back(); }
    void Pop() {
        CObjectStack<CUndoRecord>::Pop();
        if (!m_kinds.empty())
            m_kinds.pop_back();
        if (m_kinds.empty())
            m_kinds.shrink_to_fit();
    }
    void Clear() {
        CObjectStack<CUndoRecord>::Clear();
        m_kinds.clear();
        m_kinds.shrink_to_fit();
    }

private:
    std::vector<int> m_kinds;
};
