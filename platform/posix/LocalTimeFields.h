// A broken-down local time (localtime_r) as the calendar fields.
#pragma once

#include <ctime>

#include "platform/Platform.h"

namespace stem {

// A leap second shows as :59, as Windows never gives second 60.
inline DateTimeFields FromLocalTm(const std::tm& local, int millisecond)
{
    DateTimeFields time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.weekday = static_cast<Weekday>(local.tm_wday + 1);  // tm_wday counts from 0, Sunday
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec < 60 ? local.tm_sec : 59;
    time.millisecond = millisecond;
    return time;
}

}  // namespace stem
