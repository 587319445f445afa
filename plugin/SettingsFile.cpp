#include "plugin/SettingsFile.h"

#include <optional>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/AccessIniFile/IniKeyIndex.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "base/Errors.h"
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
    return ReplacePairs(path, {programFiles}, {appData}, ReplaceMatches::FirstOnly,
                        LetterCase::Ignored);
}

// Each missing folder is made from the top down; should one fail, those made are removed
// again from the bottom up.
void CreateFolderChain(const AnsiString& folder)
{
    std::vector<AnsiString> missing;  // the innermost first
    for (AnsiString at = folder; !at.empty() && !platform::PathExists(at); at = ExtractFolder(at))
        missing.push_back(at);
    std::vector<AnsiString> made;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!platform::CreateFolder(*it)) {
            for (auto undo = made.rbegin(); undo != made.rend(); ++undo)
                platform::RemoveFolder(*undo);
            return;
        }
        made.push_back(*it);
    }
}

namespace {

// The path lies in the folder: it begins with the folder's path, which the path continues
// with a backslash or not at all (C:\Program Files is no prefix of C:\Program Files (x86)\x).
bool IsInFolder(const WideString& path, const WideString& folder)
{
    return MatchesAt(folder, path, 1) &&
           (path.size() == folder.size() || path[folder.size()] == u'\\');
}

}  // namespace

WideString AdjustSettingsPath(const WideString& path)
{
    const WideString programFiles = platform::AnsiToWide(GetSpecialFolderPath(CSIDL_PROGRAM_FILES));
    if (!IsInFolder(path, programFiles))
        return path;
    if (!KeepsSettingsOutOfProgramFiles(GetWindowsVersionName()))
        return path;
    const WideString appData = platform::AnsiToWide(GetSpecialFolderPath(CSIDL_APPDATA));
    const WideString moved = MoveToFolder(path, programFiles, appData);
    CreateFolderChain(ExtractFolder(platform::WideToAnsi(moved)));
    return moved;
}

namespace {

// The key lines of the other plug-in's section.
TStringLines OtherSectionPairs(TAccessIniFile& settings, const PluginTraits& traits)
{
    TStringLines pairs;
    settings.ReadSectionPairs(traits.otherSection, pairs);
    return pairs;
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
    const TStringLines others = OtherSectionPairs(settings, traits);
    for (int i = 0; i < traits.defaultCount; ++i)
        settings.WriteValue(traits.patternSection, ItemKey(i + 1), traits.defaults[i]);
    if (!settings.HasSection(traits.patternSection))
        return DefaultsPlacement::OutsideSection;
    if (OtherSectionPairs(settings, traits) != others)
        return DefaultsPlacement::SharedSection;
    return DefaultsPlacement::Added;
}

platform::FileTime LastWriteTimeOf(const AnsiString& path)
{
    platform::FoundFileTimes found;
    return platform::FindFileTimes(path, found) ? found.lastWritten : 0;
}

// The section's key lines are read once, each key with the value of its first line, and each
// numbered key is then a look-up: a long list loads in time proportional to its length. This is
// what a key-by-key load (HasKey, then ReadValue) gives: a key HasKey finds stands on a key
// line, and the first line of the section whose key part is that key is that key line, since
// only a comment can have a key part without being one, and a comment's begins with ";".
void LoadFormatList(TAccessIniFile& settings, const AnsiString& section,
                    TCommonStringRecordList& list)
{
    list.ClearTexts();
    TStringLines pairs;
    settings.ReadSectionPairs(section, pairs);
    TIniKeyIndex keys;
    for (const AnsiString& pair : pairs)
        keys.Add(KeyPartOf(pair));
    for (int64_t number = 1;; ++number) {
        const int found = keys.FirstEqual(ItemKey(number));
        if (found < 0)
            break;
        list.AddText(platform::AnsiToWide(ValuePartOf(pairs[static_cast<size_t>(found)])));
    }
    list.AddText(WideString());
}

void LoadDefaultPatterns(const PluginTraits& traits, TCommonStringRecordList& list)
{
    TAccessIniFile defaults("");  // no file: starts empty and is never saved
    PlaceDefaultPatterns(defaults, traits);
    LoadFormatList(defaults, traits.patternSection, list);
}

SaveObstacle FindSaveObstacle(const TAccessIniFile& settings)
{
    const AnsiString& path = settings.FileName();
    if (!settings.Faithful())
        return SaveObstacle::NotKeptExactly;
    if (platform::IsReadOnlyFile(path))
        return SaveObstacle::ReadOnly;
    const AnsiString folder = ExtractFolder(path);
    if (!folder.empty() && !platform::PathExists(folder))
        return SaveObstacle::NoFolder;
    if (!platform::CanCreateFile(SavingFileOf(path)))
        return SaveObstacle::FolderNotWritable;
    return SaveObstacle::None;
}

AnsiString DescribeObstacle(SaveObstacle obstacle, const AnsiString& path)
{
    const AnsiString folder = ExtractFolder(path);
    switch (obstacle) {
    case SaveObstacle::NotKeptExactly:
        return path + " holds text the plug-ins cannot write back exactly, so they never write it";
    case SaveObstacle::ReadOnly: return path + " is read-only";
    case SaveObstacle::NoFolder: return "the folder " + folder + " does not exist";
    case SaveObstacle::FolderNotWritable:
        return "no file can be created in " + folder + " (no permission, or the disk is full)";
    case SaveObstacle::None: break;
    }
    return "the save of " + path + " failed";
}

namespace {

// Saves the defaults that were Added to the lines; what kept them out of the file when that
// cannot be done, else empty.
AnsiString SaveDefaults(TAccessIniFile& settings)
{
    try {
        if (settings.SaveIfChanged() != TSaveOutcome::LeftAlone)
            return AnsiString();
    } catch (const FileError&) {
    }
    return "the defaults were not saved: " +
           DescribeObstacle(FindSaveObstacle(settings), settings.FileName());
}

}  // namespace

// The lines in memory are the file's, or what the save made of it: with the defaults Added
// they load as the defaults whether the save landed or not.
PressSettings ReadPressSettings(const AnsiString& path, const PluginTraits& traits,
                                TCommonStringRecordList& list)
{
    PressSettings press;
    std::optional<TAccessIniFile> settings;
    try {
        settings.emplace(path);
    } catch (const FileError&) {
        press.trouble = "cannot read " + path + " (another program holds it, or access is denied)";
        return press;
    }
    press.read = true;
    press.placement = PlaceDefaultPatterns(*settings, traits);
    if (press.placement == DefaultsPlacement::Added)
        press.trouble = SaveDefaults(*settings);
    if (LoadsFromFile(press.placement)) {
        LoadFormatList(*settings, traits.patternSection, list);
    } else {
        press.trouble = "the defaults would land outside [" + AnsiString(traits.patternSection) +
                        "], so they are not written (stem check names the line)";
        LoadDefaultPatterns(traits, list);
    }
    return press;
}

ForeseenPress ForeseePress(const AnsiString& path, const PluginTraits& traits,
                           TCommonStringRecordList& list)
{
    TAccessIniFile settings(path);
    ForeseenPress press;
    press.placement = PlaceDefaultPatterns(settings, traits);
    if (press.placement == DefaultsPlacement::Added) {
        press.obstacle = FindSaveObstacle(settings);
        press.savesDefaults = press.obstacle == SaveObstacle::None;
    }
    if (LoadsFromFile(press.placement))
        LoadFormatList(settings, traits.patternSection, list);
    else
        LoadDefaultPatterns(traits, list);
    return press;
}

}  // namespace stem
