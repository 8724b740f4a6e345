// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/RunObserver.h"

// Passes every call of a run on to the observer it wraps (the run's journal, or none), with
// a test's own look at each rename just before it is recorded: to hold the run there, or to
// end the process as a kill from outside would.
class CHookedObserver : public IRunObserver {
public:
    explicit CHookedObserver(std::function<void(int row)> beforeRename)
        : m_beforeRename(std::move(beforeRename)) {}

    // Wraps the inner observer; returns the one for the run to use.
    IRunObserver* Around(IRunObserver* inner) {
        m_pInner = inner;
        return this;
    }

    bool RunStarting(int rows) override { return !m_pInner || m_pInner->RunStarting(rows); }
    bool RenamesAhead(const std::vector<SComingRename>& renames) override {
        return !m_pInner || m_pInner->RenamesAhead(renames);
    }
    bool RenameStarting(const SComingRename& rename) override {
        m_beforeRename(rename.nRow);
        return !m_pInner || m_pInner->RenameStarting(rename);
    }
    void RenameFailed(int step) override {
        if (m_pInner)
            m_pInner->RenameFailed(step);
    }
    void RunFinished() override {
        if (m_pInner)
            m_pInner->RunFinished();
    }

private:
    std::function<void(int row)> m_beforeRename;
    IRunObserver* m_pInner = nullptr;
};
