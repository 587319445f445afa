#include <windows.h>

#include "platform/HostSupport.h"

namespace platform {

bool SetLastWriteTime(const AnsiString& path, FileTime time)
{
    const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME written;
    written.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFFu);
    written.dwHighDateTime = static_cast<DWORD>(time >> 32);
    const bool set = SetFileTime(file, nullptr, nullptr, &written) != 0;
    CloseHandle(file);
    return set;
}

}  // namespace platform
