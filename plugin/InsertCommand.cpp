// The insert command: make sure the settings are current, pick the entry (advancing through
// the list while presses follow one another), select the previous insertion, and insert the
// entry's text at the caret.
#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "plugin/EditorOperations.h"
#include "plugin/PluginModule.h"
#include "plugin/Settings.h"

TDateTime LocalClock()
{
    return EncodeDateTime(platform::LocalNow());
}

void PluginModule::RunCommand(platform::HostWindow window)
{
    // A host that sends no start-up event still gets a list to load into.
    if (!state_.formatList)
        state_.formatList = std::make_unique<TCommonStringRecordList>();

    if (state_.settingsPath.empty())
        LocateSettings();
    else
        RefreshSettings();

    if (state_.consecutivePress) {
        state_.patternIndex = state_.patternIndex + 1;
        if (!(state_.formatList->TextCount() > state_.patternIndex))
            state_.patternIndex = 0;
        const int32_t caret = GetCaretOffset(window);
        SetCaretOffset(window, caret - state_.lastInsertLength);
        SelectFromCaret(window, state_.lastInsertLength);
    } else {
        state_.patternIndex = 0;
    }

    const int32_t start = GetCaretOffset(window);
    const WideString entry = state_.formatList->TextAt(state_.patternIndex);
    InsertText(window, EntryText(traits_, entry, clock_()));
    state_.lastInsertLength = GetCaretOffset(window) - start;
    // Last, after every request: an event that arrives while the editor handles them does
    // not end the run.
    state_.consecutivePress = true;
}

// First command since start-up: find the file, write the defaults if the section has none,
// and load. The path and time are kept only once all of it succeeded, so a failure leaves the
// next command to try the whole step again.
void PluginModule::LocateSettings()
{
    const WideString folder = EnsureTrailingBackslash(GetPluginFolder(state_.pluginFolderCache));
    AnsiString path = platform::WideToAnsi(folder + SettingsFileName);
    path = platform::WideToAnsi(AdjustSettingsPath(platform::AnsiToWide(path)));
    const DefaultsPlacement placement = WriteDefaultPatterns(path, traits_);
    LoadPatterns(path, LastWriteTimeOf(path), placement);
    state_.settingsPath = path;
}

// Later commands: reload when the file's last-write time differs in any way from the one
// loaded (a time that went backwards counts too).
void PluginModule::RefreshSettings()
{
    const TDateTime fileTime = LastWriteTimeOf(state_.settingsPath);
    if (fileTime == state_.settingsFileTime)
        return;
    const DefaultsPlacement placement = WriteDefaultPatterns(state_.settingsPath, traits_);
    LoadPatterns(state_.settingsPath, fileTime, placement);
}

// Loads into a new list and swaps it in, so a failed load keeps the old list and time.
void PluginModule::LoadPatterns(const AnsiString& path, TDateTime fileTime,
                                DefaultsPlacement placement)
{
    auto list = std::make_unique<TCommonStringRecordList>();
    LoadPressPatterns(path, traits_, placement, *list);
    state_.formatList = std::move(list);
    state_.settingsFileTime = fileTime;
}

WideString EntryText(const PluginTraits& traits, const WideString& entry, TDateTime now)
{
    WideString text;
    if (traits.renderSpecialEntry != nullptr && traits.renderSpecialEntry(entry, now, text))
        return text;
    return RenderPattern(entry, now);
}
