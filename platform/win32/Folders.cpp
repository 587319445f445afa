// Shell special folders and environment variables.
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

// Asks for the size first (NUL included), then expands; a variable that grows in between is
// asked again.
AnsiString ExpandEnvironmentText(const AnsiString& text)
{
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    while (size > 0) {
        AnsiString expanded(size, '\0');
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
        if (needed == 0)
            break;
        if (needed <= size) {
            expanded.resize(strnlen(expanded.c_str(), size));
            return expanded;
        }
        size = needed;
    }
    return text;
}

}  // namespace platform

}  // namespace stem
