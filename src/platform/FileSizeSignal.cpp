// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSizeSignal.h"

#include <signal.h>

void IgnoreFileSizeSignal() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
}
