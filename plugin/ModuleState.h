// The state of one loaded plug-in, shared by its entry points and its insert command. One
// instance per module, process-wide; nothing of it is persisted.
#pragma once

#include <cstdint>
#include <memory>

#include "MyLibrary/WideStringRecordList/RecordList.h"
#include "base/Types.h"
#include "platform/Platform.h"
#include "plugin/PluginTraits.h"

namespace stem {

struct ModuleState {
    Utf8String pluginName;  // ASCII, as the version
    Utf8String pluginVersion = PluginVersion;
    uintptr_t startUpParam = 0;
    bool consecutivePress = false;            // the next press goes on with the run
    int32_t patternIndex = 0;                 // the entry the last press inserted
    int32_t lastInsertLength = 0;             // in the editor's offsets
    WideString settingsPath;                  // empty: not located since the last start-up
    platform::FileTime settingsFileTime = 0;  // the file's last-write time at the last read
    Utf8String settingsTrouble;  // what the last settings step could not do; empty when none
    std::unique_ptr<TCommonStringRecordList> formatList;
    WideString pluginFolderCache;  // read from the registry once per module
};

}  // namespace stem
