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

// The ANSI file functions take paths of at most MAX_PATH characters, which 1,024 bytes hold in
// any code page; a longer expansion is no folder the plug-ins could use, and stays unexpanded.
AnsiString ExpandEnvironmentText(const AnsiString& text)
{
    char expanded[1024];
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof expanded);
    return size > 0 && size <= sizeof expanded ? AnsiString(expanded) : text;
}

}  // namespace platform

}  // namespace stem
