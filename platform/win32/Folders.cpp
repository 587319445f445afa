// Shell special folders.
#include <windows.h>
#include <shlobj.h>

#include "platform/Platform.h"

namespace platform {

bool GetSpecialFolder(int csidl, char (&buffer)[264])
{
    // The owner argument is reserved; 1 is what the plug-ins have always passed.
    const HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(1));
    return SHGetSpecialFolderPathA(owner, buffer, csidl, FALSE) != FALSE;
}

}  // namespace platform
