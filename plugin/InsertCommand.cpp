#include "plugin/InsertCommand.h"

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "plugin/EditorOperations.h"
#include "plugin/Settings.h"

namespace stem {

namespace {

// Loads into a new list and swaps it in, so a failed load keeps the old list and time.
void LoadPatterns(ModuleState& state, const PluginTraits& traits, const AnsiString& path,
                  TDateTime fileTime, DefaultsPlacement placement)
{
    auto list = std::make_unique<TCommonStringRecordList>();
    LoadPressPatterns(path, traits, placement, *list);
    state.formatList = std::move(list);
    state.settingsFileTime = fileTime;
}

// First command since start-up: find the file, write the defaults if the section has none,
// and load. The path and time are kept only once all of it succeeded, so a failure leaves the
// next command to try the whole step again.
void LocateSettings(ModuleState& state, const PluginTraits& traits)
{
    const AnsiString path = LocateSettingsFile(GetPluginFolder(state.pluginFolderCache));
    const DefaultsPlacement placement = WriteDefaultPatterns(path, traits);
    LoadPatterns(state, traits, path, LastWriteTimeOf(path), placement);
    state.settingsPath = path;
}

// Later commands: reload when the file's last-write time differs in any way from the one
// loaded (a time that went backwards counts too).
void RefreshSettings(ModuleState& state, const PluginTraits& traits)
{
    const TDateTime fileTime = LastWriteTimeOf(state.settingsPath);
    if (fileTime == state.settingsFileTime)
        return;
    const DefaultsPlacement placement = WriteDefaultPatterns(state.settingsPath, traits);
    LoadPatterns(state, traits, state.settingsPath, fileTime, placement);
}

}  // namespace

TDateTime LocalClock()
{
    return EncodeDateTime(platform::LocalNow());
}

void RunInsertCommand(ModuleState& state, const PluginTraits& traits, const Clock& clock,
                      platform::HostWindow window)
{
    // A host that sends no start-up event still gets a list to load into.
    if (!state.formatList)
        state.formatList = std::make_unique<TCommonStringRecordList>();

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
    WideString text;
    if (traits.renderSpecialEntry != nullptr && traits.renderSpecialEntry(entry, now, text))
        return text;
    return RenderPattern(entry, now);
}

}  // namespace stem
