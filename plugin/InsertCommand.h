// The plug-in's one command: make sure the settings are current, pick the entry (advancing
// through the list while presses follow one another), select the previous insertion, and insert
// the entry's text at the caret.
#pragma once

#include <functional>

#include "base/Types.h"
#include "platform/Platform.h"
#include "plugin/ModuleState.h"
#include "plugin/PluginTraits.h"

namespace stem {

// The local moment a command renders; the DLLs read the computer's clock.
using Clock = std::function<TDateTime()>;
TDateTime LocalClock();

// What a start-up event resets: the run, the settings file's place and time, and the list (a
// new, empty one).
void ResetForStartUp(ModuleState& state);

// One press on the editor window. The settings file is located on the first press after a
// start-up (or with no list: before the first start-up event, after the shut-down event) and
// reloaded when its last-write time changed; what the settings step could not do is kept in
// state.settingsTrouble, and the press inserts all the same.
void RunInsertCommand(ModuleState& state, const PluginTraits& traits, const Clock& clock,
                      platform::HostWindow window);

// The text a press inserts for an entry of the list: the date plug-in's calendars, else the
// entry rendered as a pattern.
WideString EntryText(const PluginTraits& traits, const WideString& entry, TDateTime now);

}  // namespace stem
