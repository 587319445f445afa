#include <windows.h>

#include "platform/Platform.h"

namespace platform {

intptr_t SendToHost(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

int ShowMessageBox(HostWindow owner, const AnsiString& text, const AnsiString& caption, uint32_t style)
{
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}

void BoundedCopy(char* dest, const char* source, int size)
{
    lstrcpynA(dest, source, size);
}

}  // namespace platform
