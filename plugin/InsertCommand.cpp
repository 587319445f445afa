#include "plugin/InsertCommand.h"

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "plugin/EditorOperations.h"
#include "plugin/Settings.h"

namespace stem {

namespace {

// Reads the patterns into a new list and swaps it in. When the file cannot be read, the list
// read last stays (the defaults, when none was read since start-up) and false tells the caller
// not to take the file's time, so that the next press reads again.
bool ReadSettings(ModuleState& state, const PluginTraits& traits, const WideString& path)
{
    auto list = std::make_unique<TCommonStringRecordList>();
    const PressSettings settings = ReadPressSettings(path, traits, *list);
    state.settingsTrouble = settings.trouble;
    if (settings.read)
        state.formatList = std::move(list);
    else if (state.formatList->TextCount() == 0)
        LoadDefaultPatterns(traits, *state.formatList);
    return settings.read;
}

// First command since start-up: find the file, add the defaults if the section has none, and
// load. The time is taken before the read, so a save that lands during the press is a change
// at the next press; the press's own save of the defaults costs the next press one reload.
void LocateSettings(ModuleState& state, const PluginTraits& traits)
{
    const WideString path = LocateSettingsFile(GetPluginFolder(state.pluginFolderCache));
    const platform::FileTime fileTime = LastWriteTimeOf(path);
    const bool read = ReadSettings(state, traits, path);
    state.settingsPath = path;
    if (read)
        state.settingsFileTime = fileTime;
}

// Later commands: reload when the file's last-write time differs in any way from the one
// loaded (a time that went backwards counts too). A file that cannot be written is tried once
// per change of its time, not at every press.
void RefreshSettings(ModuleState& state, const PluginTraits& traits)
{
    const platform::FileTime fileTime = LastWriteTimeOf(state.settingsPath);
    if (fileTime == state.settingsFileTime)
        return;
    if (ReadSettings(state, traits, state.settingsPath))
        state.settingsFileTime = fileTime;
}

}  // namespace

TDateTime LocalClock()
{
    return EncodeDateTime(platform::LocalNow());
}

void ResetForStartUp(ModuleState& state)
{
    state.patternIndex = 0;
    state.consecutivePress = false;
    state.settingsPath.clear();
    state.settingsFileTime = 0;
    state.settingsTrouble.clear();
    // A list still held from an earlier start-up is freed here, not leaked.
    state.formatList = std::make_unique<TCommonStringRecordList>();
}

void RunInsertCommand(ModuleState& state, const PluginTraits& traits, const Clock& clock,
                      platform::HostWindow window)
{
    // No list: no start-up event yet, or the shut-down event came. The press is then the first
    // of a new start-up, so a press always inserts.
    if (!state.formatList)
        ResetForStartUp(state);

    if (state.settingsPath.empty())
        LocateSettings(state, traits);
    else
        RefreshSettings(state, traits);

    if (state.consecutivePress) {
        state.patternIndex = state.patternIndex + 1;
        if (!(state.formatList->TextCount() > state.patternIndex))
            state.patternIndex = 0;
        const int32_t caret = GetCaretOffset(window);
        SetCaretOffset(window, caret - state.lastInsertLength);
        SelectFromCaret(window, state.lastInsertLength);
    } else {
        state.patternIndex = 0;
    }

    const int32_t start = GetCaretOffset(window);
    const WideString entry = state.formatList->TextAt(state.patternIndex);
    InsertText(window, EntryText(traits, entry, clock()));
    state.lastInsertLength = GetCaretOffset(window) - start;
    // Last, after every request: an event that arrives while the editor handles them does
    // not end the run.
    state.consecutivePress = true;
}

WideString EntryText(const PluginTraits& traits, const WideString& entry, TDateTime now)
{
    for (int i = 0; i < traits.specialEntryCount; ++i)
        if (entry == traits.specialEntries[i])
            return traits.renderSpecialEntry(i, now);
    return RenderPattern(entry, now);
}

}  // namespace stem
