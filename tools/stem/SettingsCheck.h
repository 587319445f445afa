// The surprises of the settings file's dialect, found line by line for one plug-in's section:
// lines a load never reads, values the load changes, patterns whose quotes do not pair up.
// Works on the file's lines in memory; the messages are ANSI text, as the lines are.
#pragma once

#include <vector>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "plugin/PluginTraits.h"
#include "plugin/SettingsFile.h"

namespace stem {

struct SettingsWarning {
    int line;         // 1-based; 0 for the file as a whole
    AnsiString text;  // one sentence, without the line number
};

// The warnings about the plug-in's pattern section, in line order; placement is what a press
// makes of the defaults (see SettingsFile.h).
std::vector<SettingsWarning> CheckPatternSection(const TStringLines& lines,
                                                 const PluginTraits& traits,
                                                 DefaultsPlacement placement);

}  // namespace stem
