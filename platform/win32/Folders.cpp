// Shell special folders.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "platform/Platform.h"

namespace stem {

namespace platform {

// The shell writes at most MAX_PATH bytes and a NUL into the buffer.
bool GetSpecialFolder(int csidl, AnsiString& path)
{
    // The owner argument is reserved; 1 is what the plug-ins have always passed.
    const HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(1));
    char buffer[264] = {};
    if (!SHGetSpecialFolderPathA(owner, buffer, csidl, FALSE))
        return false;
    path.assign(buffer, strnlen(buffer, sizeof buffer));
    return true;
}

}  // namespace platform

}  // namespace stem
