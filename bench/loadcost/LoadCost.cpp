// Times what an editor waits for when it turns a plug-in on: LoadLibrary, the start-up event and
// the first press, against a simulated editor window, then the shut-down event and FreeLibrary
// (not timed). Prints the median, the fastest and the slowest of COUNT such cycles after five
// that are not counted. Built by run.sh for the measurement only.
//
// Usage: LoadCost FOLDER DLL COUNT   (FOLDER: the plug-in folder, named in the editor's registry
// value for the run, where the settings file is written at the first press)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "plugin/HostInterface.h"
#include "plugin/PluginRegAccessUnit.h"

namespace {

using OnEventsFn = void(WINAPI*)(HWND, UINT, LPARAM);
using OnCommandFn = void(WINAPI*)(HWND);

template <typename Fn>
Fn Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: LoadCost FOLDER DLL COUNT\n");
        return 2;
    }
    const std::string folder = argv[1];
    const char* dll = argv[2];
    const int count = std::atoi(argv[3]);
    CreateDirectoryA(folder.c_str(), nullptr);
    stem::platform::SetUserRegistryValue(std::string(stem::EditorRegistryKey) + "Common",
                                         "PlugInsFolder", REG_SZ, folder + '\0');
    stem::SimulatedEditor editor;
    const HWND window = static_cast<HWND>(stem::platform::CreateHostWindow(editor));

    std::vector<double> micros;
    for (int i = 0; i < count + 5; ++i) {
        editor.SetText(u"", 0);
        editor.ClearLog();
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const HMODULE module = LoadLibraryA(dll);
        if (module == nullptr) {
            std::printf("%s does not load, error %lu\n", dll, GetLastError());
            return 1;
        }
        Export<OnEventsFn>(module, "OnEvents")(window, stem::StartUpEvent, 0);
        Export<OnCommandFn>(module, "OnCommand")(window);
        QueryPerformanceCounter(&end);
        Export<OnEventsFn>(module, "OnEvents")(window, stem::ShutDownEvent, 0);
        FreeLibrary(module);
        if (i >= 5)
            micros.push_back(1e6 * Seconds(start, end));
    }
    stem::platform::DestroyHostWindow(window);
    std::sort(micros.begin(), micros.end());
    std::printf("%-12s median %7.0f us   fastest %7.0f us   slowest %7.0f us   (%d cycles)\n", dll,
                micros[micros.size() / 2], micros.front(), micros.back(), count);
    return 0;
}
