// Everything the settings step of a command uses: the plug-in folder from the registry and the
// settings file's location, defaults, times and loading.
#pragma once

#include "plugin/PluginRegAccessUnit.h"
#include "plugin/SettingsFile.h"
