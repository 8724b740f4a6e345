// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProcessEnd.h"

#include <unistd.h>

#include <cstdio>

void EndProcess(int status) {
    if (std::fflush(stdout) != 0 && status == 0)
        status = 1;
    std::fflush(stderr);
    _exit(status);
}
