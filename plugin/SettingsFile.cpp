#include "plugin/SettingsFile.h"

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "plugin/PluginRegAccessUnit.h"

namespace stem {

AnsiString SettingsFileIn(const WideString& pluginFolder)
{
    return platform::WideToAnsi(EnsureTrailingBackslash(pluginFolder) + SettingsFileName);
}

AnsiString LocateSettingsFile(const WideString& pluginFolder)
{
    return platform::WideToAnsi(
        AdjustSettingsPath(platform::AnsiToWide(SettingsFileIn(pluginFolder))));
}

AnsiString ItemKey(int64_t number)
{
    return "Item" + ZeroPadNumber(2, number);
}

bool KeepsSettingsOutOfProgramFiles(const AnsiString& windowsVersionName)
{
    for (const char* release : {"Windows Vista", "Windows 7", "WindowsServer 2008"})
        if (AnsiHasText(release, windowsVersionName, false))
            return true;
    return false;
}

// The prefix test has already matched case-sensitively, so the first case-insensitive
// occurrence is the prefix itself.
WideString MoveToFolder(const WideString& path, const WideString& programFiles,
                        const WideString& appData)
{
    return ReplacePairs(path, {programFiles}, {appData}, false, true);
}

void CreateFolderChain(const AnsiString& folder)
{
    if (folder.empty() || platform::PathExists(folder))
        return;
    const AnsiString parent = ExtractFolder(folder);
    if (parent.size() < folder.size())
        CreateFolderChain(parent);
    platform::CreateFolder(folder);
}

WideString AdjustSettingsPath(const WideString& path)
{
    const WideString programFiles = platform::AnsiToWide(GetSpecialFolderPath(CSIDL_PROGRAM_FILES));
    if (!MatchesAt(programFiles, path, 1))
        return path;
    if (!KeepsSettingsOutOfProgramFiles(GetWindowsVersionName()))
        return path;
    const WideString appData = platform::AnsiToWide(GetSpecialFolderPath(CSIDL_APPDATA));
    const WideString moved = MoveToFolder(path, programFiles, appData);
    CreateFolderChain(ExtractFolder(platform::WideToAnsi(moved)));
    return moved;
}

namespace {

// The key lines of every pattern section but the plug-in's own.
std::vector<TStringLines> OtherSectionsPairs(TAccessIniFile& settings, const PluginTraits& traits)
{
    std::vector<TStringLines> sections;
    for (const char* section : PatternSections) {
        if (AnsiString(section) == traits.patternSection)
            continue;
        sections.emplace_back();
        settings.ReadSectionPairs(section, sections.back());
    }
    return sections;
}

}  // namespace

bool LoadsFromFile(DefaultsPlacement placement)
{
    return placement == DefaultsPlacement::NotNeeded || placement == DefaultsPlacement::Added;
}

// A new key goes after the section's last key line, or after its header; when the section
// opens at a comment holding its name and its real header ends it at once, that place is above
// the comment, outside the section. Judged by where the defaults did land, so that no defaults
// are kept that a load of this plug-in would miss or a load of the other would find.
DefaultsPlacement PlaceDefaultPatterns(TAccessIniFile& settings, const PluginTraits& traits)
{
    if (settings.HasSection(traits.patternSection))
        return DefaultsPlacement::NotNeeded;
    const std::vector<TStringLines> others = OtherSectionsPairs(settings, traits);
    for (int i = 0; i < traits.defaultCount; ++i)
        settings.WriteValue(traits.patternSection, ItemKey(i + 1), traits.defaults[i]);
    if (!settings.HasSection(traits.patternSection))
        return DefaultsPlacement::OutsideSection;
    if (OtherSectionsPairs(settings, traits) != others)
        return DefaultsPlacement::SharedSection;
    return DefaultsPlacement::Added;
}

DefaultsPlacement WriteDefaultPatterns(const AnsiString& path, const PluginTraits& traits)
{
    TAccessIniFile settings(path);
    const DefaultsPlacement placement = PlaceDefaultPatterns(settings, traits);
    if (placement == DefaultsPlacement::Added)
        settings.SaveIfChanged();
    return placement;
}

TDateTime FileTimeToLocalDate(platform::FileTime fileTime)
{
    DateTimeFields local;
    if (fileTime == 0 || !platform::FileTimeToLocalDateTime(fileTime, local))
        return 0;
    return EncodeDateTime(local);
}

void GetFileTimes(const AnsiString& path, FileTimes& times)
{
    platform::FoundFileTimes found;
    if (!platform::FindFileTimes(path, found))
        return;
    times.created = FileTimeToLocalDate(found.created);
    times.lastWritten = FileTimeToLocalDate(found.lastWritten);
    times.lastAccessed = FileTimeToLocalDate(found.lastAccessed);
}

// Every press asks this, so only the one time it needs is converted.
TDateTime LastWriteTimeOf(const AnsiString& path)
{
    platform::FoundFileTimes found;
    if (!platform::FindFileTimes(path, found))
        return 0;
    return FileTimeToLocalDate(found.lastWritten);
}

void LoadFormatList(const AnsiString& path, const AnsiString& section,
                    TCommonStringRecordList& list)
{
    TAccessIniFile settings(path);
    LoadFormatList(settings, section, list);
}

// The section is read once; each numbered key is then a look-up, so a long list loads in
// time proportional to its length.
void LoadFormatList(TAccessIniFile& settings, const AnsiString& section,
                    TCommonStringRecordList& list)
{
    list.ClearTexts();
    const TIniSectionSnapshot snapshot = settings.ReadSectionSnapshot(section);
    for (int64_t number = 1;; ++number) {
        const AnsiString key = ItemKey(number);
        if (!snapshot.HasKey(key))
            break;
        list.AddText(platform::AnsiToWide(snapshot.ReadValue(key, "")));
    }
    list.AddText(WideString());
}

void LoadPressPatterns(const AnsiString& path, const PluginTraits& traits,
                       DefaultsPlacement placement, TCommonStringRecordList& list)
{
    if (LoadsFromFile(placement)) {
        LoadFormatList(path, traits.patternSection, list);
        return;
    }
    TAccessIniFile defaults("");  // no file: starts empty and is never saved
    PlaceDefaultPatterns(defaults, traits);
    LoadFormatList(defaults, traits.patternSection, list);
}

ForeseenPress ForeseePress(const AnsiString& path, const PluginTraits& traits,
                           TCommonStringRecordList& list)
{
    TAccessIniFile settings(path);
    ForeseenPress press;
    press.placement = PlaceDefaultPatterns(settings, traits);
    press.savesDefaults = press.placement == DefaultsPlacement::Added && settings.MayWrite();
    // The lines in memory are the file's, or what the save would make of it.
    if (press.placement == DefaultsPlacement::NotNeeded || press.savesDefaults)
        LoadFormatList(settings, traits.patternSection, list);
    else
        LoadPressPatterns(path, traits, press.placement, list);
    return press;
}

}  // namespace stem
