// The fields of a Win32 SYSTEMTIME as the platform's SystemTime.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

inline SystemTime FromWin32SystemTime(const SYSTEMTIME& fields)
{
    SystemTime time;
    time.year = fields.wYear;
    time.month = fields.wMonth;
    time.dayOfWeek = fields.wDayOfWeek;
    time.day = fields.wDay;
    time.hour = fields.wHour;
    time.minute = fields.wMinute;
    time.second = fields.wSecond;
    time.millisecond = fields.wMilliseconds;
    return time;
}
