// SPDX-License-Identifier: GPL-3.0-or-later
// The test build's run hook: TESSEL_CLI_TEST_HALT="<signal> <n>" raises the signal
// (SIGKILL, or SIGSTOP to hold the run until it is continued) when n renames of a go or
// an undo are on record and the next is about to be recorded, as an outside signal would.
#include <signal.h>

#include <cstdio>
#include <cstdlib>

#include "cli/RunHook.h"
#include "support/HookedObserver.h"

namespace {

struct SHalt {
    int nSignal = 0;
    long nAfter = -1;
    long nRecorded = 0;
};

SHalt ReadHalt() {
    SHalt halt;
    if (const char* text = std::getenv("TESSEL_CLI_TEST_HALT"))
        std::sscanf(text, "%d %ld", &halt.nSignal, &halt.nAfter);
    return halt;
}

}  // namespace

IRunObserver* HookRunObserver(IRunObserver* observer) {
    // One go or one undo per process: the hook lives as long as the process.
    static SHalt halt = ReadHalt();
    static CHookedObserver hook([](int) {
        if (halt.nSignal != 0 && halt.nRecorded++ == halt.nAfter)
            raise(halt.nSignal);
    });
    return hook.Around(observer);
}
