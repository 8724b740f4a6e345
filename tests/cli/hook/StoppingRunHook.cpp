// The test build's run hook: TESSEL_CLI_TEST_HALT="<signal> <n>" raises the signal
// (SIGKILL, or SIGSTOP to hold the run until it is continued) when n renames of a go or
// an undo are on record and the next is about to be recorded, as an outside signal would.
#include <signal.h>

#include <cstdio>
#include <cstdlib>

#include "cli/RunHook.h"
#include "model/RunObserver.h"

namespace {

class CStoppingObserver : public IRunObserver {
public:
    explicit CStoppingObserver(IRunObserver* inner) : m_pInner(inner) {
        if (const char* halt = std::getenv("TESSEL_CLI_TEST_HALT"))
            std::sscanf(halt, "%d %ld", &m_nSignal, &m_nAfter);
    }

    bool RunStarting(int rows) override { return !m_pInner || m_pInner->RunStarting(rows); }
    bool RenamesAhead(const std::vector<SComingRename>& renames) override {
        return !m_pInner || m_pInner->RenamesAhead(renames);
    }
    bool RenameStarting(int row, const std::string& from, const std::string& to) override {
        if (m_nSignal != 0 && m_nRecorded++ == m_nAfter)
            raise(m_nSignal);
        return !m_pInner || m_pInner->RenameStarting(row, from, to);
    }
    void RenameFailed(int row) override { m_pInner ? m_pInner->RenameFailed(row) : void(); }
    void RunFinished() override { m_pInner ? m_pInner->RunFinished() : void(); }

private:
    IRunObserver* m_pInner;
    int m_nSignal = 0;
    long m_nAfter = -1, m_nRecorded = 0;
};

}  // namespace

IRunObserver* HookRunObserver(IRunObserver* observer) {
    // One go or one undo per process: the hook lives as long as the process.
    static CStoppingObserver hook(observer);
    return &hook;
}
