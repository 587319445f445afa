#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/SystemTimeFields.h"

namespace stem {

namespace platform {

DateTimeFields LocalNow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return FromWin32SystemTime(now);
}

}  // namespace platform

}  // namespace stem
