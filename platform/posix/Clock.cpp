#include <ctime>

#include "platform/Platform.h"

namespace platform {

SystemTime LocalNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    SystemTime time;
    time.year = local.tm_year + 1900;
    time.month = local.tm_mon + 1;
    time.dayOfWeek = local.tm_wday;
    time.day = local.tm_mday;
    time.hour = local.tm_hour;
    time.minute = local.tm_min;
    time.second = local.tm_sec < 60 ? local.tm_sec : 59;  // a leap second shows as :59
    time.millisecond = static_cast<int>(now.tv_nsec / 1000000);
    return time;
}

}  // namespace platform
