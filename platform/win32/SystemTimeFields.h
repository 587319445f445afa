// The fields of a Win32 SYSTEMTIME as the calendar fields.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

namespace stem {

inline DateTimeFields FromWin32SystemTime(const SYSTEMTIME& fields)
{
    DateTimeFields time;
    time.year = fields.wYear;
    time.month = fields.wMonth;
    time.weekday = static_cast<Weekday>(fields.wDayOfWeek + 1);  // wDayOfWeek counts from 0, Sunday
    time.day = fields.wDay;
    time.hour = fields.wHour;
    time.minute = fields.wMinute;
    time.second = fields.wSecond;
    time.millisecond = fields.wMilliseconds;
    return time;
}

}  // namespace stem
