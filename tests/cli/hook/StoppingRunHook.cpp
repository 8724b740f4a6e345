// The test build's run hook: stops the process at a chosen rename of a go or an undo, as
// an outside signal would. TESSEL_CLI_TEST_KILL_AFTER=N kills it once N renames are on
// record; TESSEL_CLI_TEST_KILL_AT_RECORD=N once the Nth is recorded but not yet made;
// TESSEL_CLI_TEST_STOP_AT_RECORD=N stops it there (SIGSTOP) until it is continued.
#include <signal.h>

#include <cstdlib>

#include "cli/RunHook.h"
#include "model/RunObserver.h"

namespace {

long FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtol(value, nullptr, 10) : -1;
}

class CStoppingObserver : public IRunObserver {
public:
    explicit CStoppingObserver(IRunObserver* inner) : m_pInner(inner) {}

    bool RunStarting(int rows) override { return !m_pInner || m_pInner->RunStarting(rows); }
    bool RenamesAhead(const std::vector<SComingRename>& renames) override {
        return !m_pInner || m_pInner->RenamesAhead(renames);
    }
    bool RenameStarting(int row, const std::string& from, const std::string& to) override {
        if (m_nRecorded == m_nKillAfter)
            raise(SIGKILL);
        if (m_pInner && !m_pInner->RenameStarting(row, from, to))
            return false;
        if (++m_nRecorded == m_nKillAtRecord)
            raise(SIGKILL);
        if (m_nRecorded == m_nStopAtRecord)
            raise(SIGSTOP);
        return true;
    }
    void RenameFailed(int row) override {
        if (m_pInner)
            m_pInner->RenameFailed(row);
    }
    void RunFinished() override {
        if (m_pInner)
            m_pInner->RunFinished();
    }

private:
    IRunObserver* m_pInner;
    long m_nRecorded = 0;
    long m_nKillAfter = FromEnvironment("TESSEL_CLI_TEST_KILL_AFTER");
    long m_nKillAtRecord = FromEnvironment("TESSEL_CLI_TEST_KILL_AT_RECORD");
    long m_nStopAtRecord = FromEnvironment("TESSEL_CLI_TEST_STOP_AT_RECORD");
};

}  // namespace

IRunObserver* HookRunObserver(IRunObserver* observer) {
    // One go or one undo per process: the hook lives as long as the process.
    static CStoppingObserver hook(observer);
    return &hook;
}
