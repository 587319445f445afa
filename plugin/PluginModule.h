// One loaded plug-in: its module state and the entry points that the editor calls. Each DLL
// holds one instance; tests and `stem` create their own. No exception leaves an entry point:
// the editor must never be brought down by the plug-in.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/Types.h"
#include "MyLibrary/WideStringRecordList/RecordList.h"
#include "plugin/PluginTraits.h"
#include "plugin/SettingsFile.h"
#include "platform/Platform.h"

struct ModuleState {
    AnsiString pluginName;
    AnsiString pluginVersion = PluginVersion;
    uintptr_t startUpParam = 0;
    bool consecutivePress = false;
    int32_t patternIndex = 0;
    int32_t lastInsertLength = 0;
    AnsiString settingsPath;
    TDateTime settingsFileTime = 0.0;
    std::unique_ptr<TCommonStringRecordList> formatList;
    WideString pluginFolderCache;  // read from the registry once per process
};

// The local moment a command renders; the DLLs read the computer's clock.
using Clock = std::function<TDateTime()>;
TDateTime LocalClock();

// The text a press inserts for an entry of the list: the date plug-in's calendars, else the
// entry rendered as a pattern.
WideString EntryText(const PluginTraits& traits, const WideString& entry, TDateTime now);

class PluginModule {
public:
    explicit PluginModule(const PluginTraits& traits, Clock clock = LocalClock);

    // The exports, each behind its wall.
    void OnCommand(platform::HostWindow window);
    int32_t QueryStatus(platform::HostWindow window, void* checkMark);
    void OnEvents(platform::HostWindow window, uint32_t events, uintptr_t param);
    intptr_t PlugInProc(platform::HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

    const ModuleState& State() const { return state_; }
    const PluginTraits& Traits() const { return traits_; }

    // Names the editor's plug-in folder instead of reading it from the registry (for hosts
    // that are not the editor).
    void SetPluginFolder(const WideString& folder) { state_.pluginFolderCache = folder; }

private:
    void RunCommand(platform::HostWindow window);
    void LocateSettings();
    void RefreshSettings();
    void LoadPatterns(const AnsiString& path, TDateTime fileTime, DefaultsPlacement placement);
    void HandleEvents(platform::HostWindow window, uint32_t events, uintptr_t param);
    intptr_t HandleProc(platform::HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    void StartUp(uintptr_t param);

    const PluginTraits& traits_;
    Clock clock_;
    ModuleState state_;
};
