#include <windows.h>

#include "platform/HostSupport.h"

namespace stem {

// A message-only window: it needs no display, and SendMessage to it runs its window procedure
// synchronously on this thread, as the editor's window does for the plug-ins.
namespace {
constexpr const char* ClassName = "StemHostWindow";

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* receiver =
        reinterpret_cast<platform::HostReceiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (receiver != nullptr && message >= WM_USER)
        return receiver->Receive(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterHostClass()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = HostWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = ClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}
}  // namespace

namespace platform {

HostWindow CreateHostWindow(HostReceiver& receiver)
{
    RegisterHostClass();
    HWND window = CreateWindowExA(0, ClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr)
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&receiver));
    return window;
}

void DestroyHostWindow(HostWindow window)
{
    if (window != nullptr)
        DestroyWindow(static_cast<HWND>(window));
}

}  // namespace platform

}  // namespace stem
