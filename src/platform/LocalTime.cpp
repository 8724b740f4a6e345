// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalTime.h"

#include <ctime>

SLocalTime ToLocalTime(int64_t seconds) {
    time_t value = static_cast<time_t>(seconds);
    struct tm parts {};
    SLocalTime result;
    if (localtime_r(&value, &parts) == nullptr)
        return result;
    result.nYear = parts.tm_year + 1900;
    result.nMonth = parts.tm_mon + 1;
    result.nDay = parts.tm_mday;
    result.nHour = parts.tm_hour;
    result.nMinute = parts.tm_min;
    return result;
}
