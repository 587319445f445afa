// A broken-down local time (localtime_r) as the platform's SystemTime.
#pragma once

#include <ctime>

#include "platform/Platform.h"

// A leap second shows as :59, as Windows never gives second 60.
inline SystemTime FromLocalTm(const std::tm& local, int millisecond)
{
    SystemTime time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.dayOfWeek = local.tm_wday;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec < 60 ? local.tm_sec : 59;
    time.millisecond = millisecond;
    return time;
}
