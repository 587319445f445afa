// The root of a native link of a plug-in DLL's own sources: its seven exports, kept as the
// editor would find them, so that the linker keeps exactly what the DLL can reach from them.
#include <cstdint>

extern "C" {
void OnCommand(void* window);
int32_t QueryStatus(void* window, int32_t* checkMark);
void OnEvents(void* window, uint32_t events, intptr_t param);
uint32_t GetMenuTextID();
uint32_t GetStatusMessageID();
uint32_t GetBitmapID();
intptr_t PlugInProc(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam);
}

int main()
{
    void* const volatile exports[] = {
        reinterpret_cast<void*>(&OnCommand),          reinterpret_cast<void*>(&QueryStatus),
        reinterpret_cast<void*>(&OnEvents),           reinterpret_cast<void*>(&GetMenuTextID),
        reinterpret_cast<void*>(&GetStatusMessageID), reinterpret_cast<void*>(&GetBitmapID),
        reinterpret_cast<void*>(&PlugInProc),
    };
    return exports[0] == nullptr ? 1 : 0;
}
