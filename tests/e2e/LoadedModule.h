// One plug-in DLL of this build, loaded with LoadLibrary for the life of the object, with the
// exports that drive a press typed as the editor calls them. Unloading is checked: each DLL
// caches the plug-in folder once per load, so a test that changes the registry needs the module
// really gone before it loads it again.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/EditorNumbers.h"

namespace stem {

class LoadedModule {
public:
    explicit LoadedModule(const char* file) : file_(file) { Load(); }
    ~LoadedModule() { Unload(); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool Loaded() const { return module_ != nullptr; }

    // True when the module was loaded and nothing else holds it.
    bool Load()
    {
        if (module_ == nullptr && GetModuleHandleA(file_.c_str()) == nullptr)
            module_ = LoadLibraryA(file_.c_str());
        return module_ != nullptr;
    }

    // True when the module is no longer in the process.
    bool Unload()
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
        module_ = nullptr;
        return GetModuleHandleA(file_.c_str()) == nullptr;
    }

    void StartUp(HWND window) const { OnEvents(window, StartUpEvent, 0); }

    void OnCommand(HWND window) const
    {
        using Fn = void(WINAPI*)(HWND);
        Export<Fn>("OnCommand")(window);
    }

    void OnEvents(HWND window, UINT events, LPARAM param) const
    {
        using Fn = void(WINAPI*)(HWND, UINT, LPARAM);
        Export<Fn>("OnEvents")(window, events, param);
    }

private:
    template <typename Fn>
    Fn Export(const char* name) const
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    std::string file_;
    HMODULE module_ = nullptr;
};

}  // namespace stem
