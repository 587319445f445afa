// Where the host editor keeps its plug-ins, as it records it in the registry.
#pragma once

#include "base/Types.h"

namespace stem {

// The editor's key under HKEY_CURRENT_USER; the folder is the string value "PlugInsFolder" of
// its subkey "Common".
constexpr const char* EditorRegistryKey = "Software\\EmSoft\\EmEditor v3\\";

// The plug-in folder from the editor's registry value, or, when there is no such string
// value or it is empty, the folder "PlugIns" beside the host program. The value is taken as
// stored (with or without a trailing backslash), up to its first NUL or the end of its data;
// an expandable one (REG_EXPAND_SZ) with its environment variables expanded. The editor's key
// is created when missing, and read when policy lets it be read only.
WideString ReadPluginFolder();

// The same under another key path, for tests that keep their own key.
WideString ReadPluginFolderAt(const Utf8String& keyPath);

// The folder "PlugIns" beside the host program: the plug-in folder when the editor names none.
WideString DefaultPluginFolder();

// The cached folder, read from the registry while the cache is empty. Each plug-in module
// passes its own cache, so the registry is read once per module.
WideString GetPluginFolder(WideString& cache);

}  // namespace stem
