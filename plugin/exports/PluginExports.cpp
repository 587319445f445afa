// The seven functions that the editor calls, by name, with the Windows calling convention (the
// called function removes its arguments). Each DLL's main unit supplies ThisPlugin();
// everything else is shared.
#include <cstdint>

#include "plugin/HostInterface.h"
#include "plugin/PluginModule.h"

namespace stem {

PluginModule& ThisPlugin();

}  // namespace stem

extern "C" {

void __stdcall OnCommand(void* window)
{
    stem::ThisPlugin().OnCommand(window);
}

int32_t __stdcall QueryStatus(void* window, int32_t* checkMark)
{
    return stem::ThisPlugin().QueryStatus(window, checkMark);
}

void __stdcall OnEvents(void* window, uint32_t events, intptr_t param)
{
    stem::ThisPlugin().OnEvents(window, events, static_cast<uintptr_t>(param));
}

uint32_t __stdcall GetMenuTextID()
{
    return stem::MenuTextId;
}

uint32_t __stdcall GetStatusMessageID()
{
    return stem::StatusMessageId;
}

uint32_t __stdcall GetBitmapID()
{
    return stem::BitmapId;
}

intptr_t __stdcall PlugInProc(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return stem::ThisPlugin().PlugInProc(window, message, wParam, lParam);
}

}  // extern "C"
