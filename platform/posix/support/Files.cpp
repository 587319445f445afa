#include <fcntl.h>
#include <sys/stat.h>

#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"

namespace platform {

// File times count 100-nanosecond units from 1601-01-01; the access time is left as it is.
bool SetLastWriteTime(const AnsiString& path, FileTime time)
{
    constexpr int64_t EpochDifference = 11644473600LL;  // seconds from 1601 to 1970
    struct timespec times[2] {};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(static_cast<int64_t>(time / 10000000) - EpochDifference);
    times[1].tv_nsec = static_cast<long>(time % 10000000 * 100);
    return utimensat(AT_FDCWD, standin::ToPosixPath(path).c_str(), times, 0) == 0;
}

}  // namespace platform
