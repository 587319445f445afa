// Shell special folders and environment variables.
#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <vector>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

namespace stem {

namespace platform {

// The shell writes at most MAX_PATH characters and a NUL into the buffer.
bool GetSpecialFolder(int csidl, WideString& path)
{
    // The owner argument is reserved; 1 is what the plug-ins have always passed.
    const HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(1));
    wchar_t buffer[264] = {};
    if (!SHGetSpecialFolderPathW(owner, buffer, csidl, FALSE))
        return false;
    path = FromWin(buffer, wcsnlen(buffer, sizeof buffer / sizeof buffer[0]));
    return true;
}

// The result, its NUL included, is at most 32,767 characters; a longer expansion is no folder
// the plug-ins could use, and stays unexpanded.
WideString ExpandEnvironmentText(const WideString& text)
{
    std::vector<wchar_t> expanded(32767);
    const DWORD size = ExpandEnvironmentStringsW(AsWin(text), expanded.data(),
                                                 static_cast<DWORD>(expanded.size()));
    return size > 0 && size <= expanded.size() ? FromWin(expanded.data(), size - 1) : text;
}

}  // namespace platform

}  // namespace stem
