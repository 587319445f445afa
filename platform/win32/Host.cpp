#include <windows.h>

#include "platform/Platform.h"

namespace stem {

namespace platform {

intptr_t SendToHost(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

bool AskYesNo(HostWindow owner, const WideString& text, const WideString& caption)
{
    return MessageBoxW(static_cast<HWND>(owner), reinterpret_cast<const wchar_t*>(text.c_str()),
                       reinterpret_cast<const wchar_t*>(caption.c_str()),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void BoundedCopy(char* dest, const char* source, int size)
{
    lstrcpynA(dest, source, size);
}

}  // namespace platform

}  // namespace stem
