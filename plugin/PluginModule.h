// One loaded plug-in: its module state and the entry points that the editor calls. Each DLL
// holds one instance; tests and `stem` create their own. No exception leaves an entry point:
// the editor must never be brought down by the plug-in.
#pragma once

#include <cstdint>

#include "platform/Platform.h"
#include "plugin/InsertCommand.h"
#include "plugin/ModuleState.h"
#include "plugin/PluginTraits.h"

namespace stem {

class PluginModule {
public:
    explicit PluginModule(const PluginTraits& traits, Clock clock = LocalClock);

    // The exports, each behind its wall.
    void OnCommand(platform::HostWindow window);
    int32_t QueryStatus(platform::HostWindow window, void* checkMark);
    void OnEvents(platform::HostWindow window, uint32_t events, uintptr_t param);
    intptr_t PlugInProc(platform::HostWindow window, uint32_t message, uintptr_t wParam,
                        intptr_t lParam);

    const ModuleState& State() const { return state_; }
    const PluginTraits& Traits() const { return traits_; }

    // Names the editor's plug-in folder instead of reading it from the registry (for hosts
    // that are not the editor).
    void SetPluginFolder(const WideString& folder) { state_.pluginFolderCache = folder; }

private:
    void HandleEvents(platform::HostWindow window, uint32_t events, uintptr_t param);
    intptr_t HandleProc(platform::HostWindow window, uint32_t message, uintptr_t wParam,
                        intptr_t lParam);
    void StartUp(uintptr_t param);

    const PluginTraits& traits_;
    Clock clock_;
    ModuleState state_;
};

}  // namespace stem
