// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

struct SLocalTime {
    int nYear = 1970;
    int nMonth = 1;  // 1-12
    int nDay = 1;
    int nHour = 0;
    int nMinute = 0;
};

// Breaks seconds since 1970-01-01 UTC down in the user's time zone.
SLocalTime ToLocalTime(int64_t seconds);
