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
    return SystemTimeToDateTime(platform::LocalNow());
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
    InsertText(window, ProduceText(entry, clock_()));
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
    WriteDefaultPatterns(path, traits_);
    LoadPatterns(path, LastWriteTimeOf(path));
    state_.settingsPath = path;
}

// Later commands: reload when the file's last-write time differs in any way from the one
// loaded (a time that went backwards counts too).
void PluginModule::RefreshSettings()
{
    const TDateTime fileTime = LastWriteTimeOf(state_.settingsPath);
    if (fileTime == state_.settingsFileTime)
        return;
    WriteDefaultPatterns(state_.settingsPath, traits_);
    LoadPatterns(state_.settingsPath, fileTime);
}

// Loads into a new list and swaps it in, so a failed load keeps the old list and time.
void PluginModule::LoadPatterns(const AnsiString& path, TDateTime fileTime)
{
    auto list = std::make_unique<TCommonStringRecordList>();
    LoadFormatList(path, traits_.patternSection, *list);
    state_.formatList = std::move(list);
    state_.settingsFileTime = fileTime;
}

WideString PluginModule::ProduceText(const WideString& entry, TDateTime now) const
{
    WideString text;
    if (traits_.renderSpecialEntry != nullptr && traits_.renderSpecialEntry(entry, now, text))
        return text;
    return RenderPattern(entry, now);
}
