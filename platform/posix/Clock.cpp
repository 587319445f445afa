#include <ctime>

#include "platform/Platform.h"
#include "platform/posix/LocalTimeFields.h"

namespace stem {

namespace platform {

DateTimeFields LocalNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return FromLocalTm(local, static_cast<int>(now.tv_nsec / 1000000));
}

}  // namespace platform

}  // namespace stem
