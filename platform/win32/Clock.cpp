#include <windows.h>

#include "platform/Platform.h"

namespace platform {

SystemTime LocalNow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SystemTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.dayOfWeek = now.wDayOfWeek;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.millisecond = now.wMilliseconds;
    return time;
}

}  // namespace platform
