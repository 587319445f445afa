// The seven functions that the editor calls, by name, with the Windows calling convention.
// Each DLL's main unit supplies ThisPlugin(); everything else is shared.
#include <cstdint>

#include "plugin/HostInterface.h"
#include "plugin/PluginModule.h"

PluginModule& ThisPlugin();

#ifdef _WIN32
#define PLUGIN_API __stdcall
#else
#define PLUGIN_API
#endif

extern "C" {

void PLUGIN_API OnCommand(void* window)
{
    ThisPlugin().OnCommand(window);
}

int32_t PLUGIN_API QueryStatus(void* window, int32_t* checkMark)
{
    return ThisPlugin().QueryStatus(window, checkMark);
}

void PLUGIN_API OnEvents(void* window, uint32_t events, intptr_t param)
{
    ThisPlugin().OnEvents(window, events, static_cast<uintptr_t>(param));
}

uint32_t PLUGIN_API GetMenuTextID()
{
    return MenuTextId;
}

uint32_t PLUGIN_API GetStatusMessageID()
{
    return StatusMessageId;
}

uint32_t PLUGIN_API GetBitmapID()
{
    return BitmapId;
}

intptr_t PLUGIN_API PlugInProc(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return ThisPlugin().PlugInProc(window, message, wParam, lParam);
}

}  // extern "C"
