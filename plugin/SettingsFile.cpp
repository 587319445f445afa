#include "plugin/SettingsFile.h"

#include <optional>
#include <string_view>
#include <vector>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/AccessIniFile/IniKeyIndex.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "plugin/PluginRegAccessUnit.h"

namespace stem {

WideString SettingsFileIn(const WideString& pluginFolder)
{
    return EnsureTrailingBackslash(pluginFolder) + SettingsFileName;
}

WideString LocateSettingsFile(const WideString& pluginFolder)
{
    return AdjustSettingsPath(SettingsFileIn(pluginFolder));
}

namespace {

const Utf8String ItemPrefix = "Item";

}  // namespace

Utf8String ItemKey(int64_t number)
{
    return ItemPrefix + PadNumber(2, '0', number);
}

bool ItemNumberOf(const Utf8String& key, int64_t& number)
{
    const size_t prefix = ItemPrefix.size();
    if (key.size() <= prefix || key.size() > prefix + 18 ||
        !NamesEqual(key.substr(0, prefix), ItemPrefix))
        return false;
    number = 0;
    for (size_t i = prefix; i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9')
            return false;
        number = number * 10 + (key[i] - '0');
    }
    return true;
}

std::vector<int> ReadItemPlaces(const std::function<int(const Utf8String& key)>& placeOf)
{
    std::vector<int> places;
    for (int64_t number = 1;; ++number) {
        const int place = placeOf(ItemKey(number));
        if (place < 0)
            return places;
        places.push_back(place);
    }
}

bool KeepsSettingsOutOfProgramFiles(const Utf8String& windowsVersionName)
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
void CreateFolderChain(const WideString& folder)
{
    std::vector<WideString> missing;  // the innermost first
    for (WideString at = folder; !at.empty() && !platform::PathExists(at); at = ExtractFolder(at))
        missing.push_back(at);
    std::vector<WideString> made;
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
    const WideString programFiles = GetSpecialFolderPath(CSIDL_PROGRAM_FILES);
    if (!IsInFolder(path, programFiles))
        return path;
    if (!KeepsSettingsOutOfProgramFiles(GetWindowsVersionName()))
        return path;
    const WideString appData = GetSpecialFolderPath(CSIDL_APPDATA);
    const WideString moved = MoveToFolder(path, programFiles, appData);
    CreateFolderChain(ExtractFolder(moved));
    return moved;
}

namespace {

// The key lines of every other plug-in's section, in the list's order: the sections a
// plug-in's defaults must not land in.
std::vector<TStringLines> OtherSectionPairs(TAccessIniFile& settings, const PluginTraits& traits)
{
    std::vector<TStringLines> others;
    for (const PluginIdentity& plugin : PluginList) {
        if (std::string_view(plugin.section) == traits.patternSection)
            continue;
        settings.ReadSectionPairs(plugin.section, others.emplace_back());
    }
    return others;
}

}  // namespace

bool LoadsFromFile(DefaultsPlacement placement)
{
    return placement == DefaultsPlacement::NotNeeded || placement == DefaultsPlacement::Added;
}

// A new key goes after the section's last key line, or after its header; when the section
// opens at a comment holding its name and its real header ends it at once, that place is above
// the comment, outside the section. Judged by where the defaults did land, so that no defaults
// are kept that a load of this plug-in would miss or another plug-in's load would find.
DefaultsPlacement PlaceDefaultPatterns(TAccessIniFile& settings, const PluginTraits& traits)
{
    if (settings.HasSection(traits.patternSection))
        return DefaultsPlacement::NotNeeded;
    const auto others = OtherSectionPairs(settings, traits);
    for (int i = 0; i < traits.defaultCount; ++i)
        settings.WriteValue(traits.patternSection, ItemKey(i + 1), traits.defaults[i]);
    if (!settings.HasSection(traits.patternSection))
        return DefaultsPlacement::OutsideSection;
    if (OtherSectionPairs(settings, traits) != others)
        return DefaultsPlacement::SharedSection;
    return DefaultsPlacement::Added;
}

platform::FileTime LastWriteTimeOf(const WideString& path)
{
    platform::FoundFileTimes found;
    return platform::FindFileTimes(path, found) ? found.lastWritten : 0;
}

// The section's key lines are read once, and each numbered key is then a look-up of its first
// line in an index of them: a long list loads in time proportional to its length, and each key
// gets the value that ReadValue of it gives.
void LoadFormatList(TAccessIniFile& settings, const Utf8String& section,
                    TCommonStringRecordList& list)
{
    list.ClearTexts();
    TStringLines pairs;
    settings.ReadSectionLines(section, pairs);
    TIniKeyIndex keys;
    for (const Utf8String& pair : pairs)
        keys.Add(KeyPartOf(pair));
    const auto placeOf = [&keys](const Utf8String& key) { return keys.FirstEqual(key); };
    for (const int place : ReadItemPlaces(placeOf))
        list.AddText(Utf8ToWideReplacing(ValuePartOf(pairs[static_cast<size_t>(place)])));
    list.AddText(WideString());
}

void LoadDefaultPatterns(const PluginTraits& traits, TCommonStringRecordList& list)
{
    TAccessIniFile defaults(u"");  // no file: starts empty and is never saved
    PlaceDefaultPatterns(defaults, traits);
    LoadFormatList(defaults, traits.patternSection, list);
}

// A faithful file that the class may not write is one with the read-only attribute.
SaveObstacle FindSaveObstacle(const TAccessIniFile& settings)
{
    const WideString& path = settings.FileName();
    if (!settings.Faithful())
        return SaveObstacle::NotKeptExactly;
    if (!settings.MayWrite())
        return SaveObstacle::ReadOnly;
    if (platform::PathExists(path) && !platform::CanWriteFile(path))
        return SaveObstacle::FileNotWritable;
    const WideString folder = ExtractFolder(path);
    if (!folder.empty() && !platform::PathExists(folder))
        return SaveObstacle::NoFolder;
    if (!platform::CanCreateFile(SavingFileOf(path)))
        return SaveObstacle::FolderNotWritable;
    return SaveObstacle::None;
}

Utf8String DescribeObstacle(SaveObstacle obstacle, const Utf8String& file, const Utf8String& folder)
{
    switch (obstacle) {
    case SaveObstacle::NotKeptExactly:
        return "the plug-ins never write " + file +
               " (it holds text they cannot write back exactly)";
    case SaveObstacle::ReadOnly: return file + " is read-only";
    case SaveObstacle::FileNotWritable:
        return "the system does not let " + file +
               " be written (its permissions deny it, or another program holds it)";
    case SaveObstacle::NoFolder: return folder + " does not exist";
    case SaveObstacle::FolderNotWritable:
        return "no file can be created in " + folder + " (no permission, or the disk is full)";
    case SaveObstacle::SaveFailed:
    case SaveObstacle::None: break;
    }
    return "the save of " + file + " failed";
}

namespace {

// A press saves the defaults Added to the lines; a look-ahead only asks what would keep the
// save out. Either way: what kept (or would keep) them out of the file.
enum class SettingsStep { Press, LookAhead };

SaveObstacle SaveDefaults(TAccessIniFile& settings, SettingsStep step)
{
    if (step == SettingsStep::LookAhead)
        return FindSaveObstacle(settings);
    try {
        if (settings.SaveIfChanged() != TSaveOutcome::LeftAlone)
            return SaveObstacle::None;
    } catch (const FileError&) {
    }
    const SaveObstacle found = FindSaveObstacle(settings);
    return found == SaveObstacle::None ? SaveObstacle::SaveFailed : found;
}

// Why defaults that a load of the plug-in would miss, or another plug-in's load would find, are
// kept out of the file.
Utf8String UnplacedDefaults(DefaultsPlacement placement, const PluginTraits& traits)
{
    const Utf8String where =
        placement == DefaultsPlacement::OutsideSection
            ? "would land outside [" + Utf8String(traits.patternSection) +
                  "], where no load finds them"
            : Utf8String("would land in another plug-in's section too, as its patterns");
    return "the defaults " + where + ", so they are not written (stem check names the line)";
}

// The lines in memory are the file's, or what the save made of it: with the defaults Added
// they load as the defaults whether the save landed or not.
PressSettings RunSettingsStep(const WideString& path, const PluginTraits& traits,
                              TCommonStringRecordList& list, SettingsStep step)
{
    PressSettings press;
    std::optional<TAccessIniFile> settings;
    try {
        settings.emplace(path);
    } catch (const FileError&) {
        press.trouble =
            "cannot read " + WideToUtf8(path) + " (another program holds it, or access is denied)";
        return press;
    }
    press.read = true;
    press.placement = PlaceDefaultPatterns(*settings, traits);
    if (press.placement == DefaultsPlacement::Added)
        press.obstacle = SaveDefaults(*settings, step);
    if (press.obstacle != SaveObstacle::None)
        press.trouble =
            "the defaults were not saved: " +
            DescribeObstacle(press.obstacle, WideToUtf8(path), WideToUtf8(ExtractFolder(path)));
    if (LoadsFromFile(press.placement)) {
        LoadFormatList(*settings, traits.patternSection, list);
    } else {
        press.trouble = UnplacedDefaults(press.placement, traits);
        LoadDefaultPatterns(traits, list);
    }
    return press;
}

}  // namespace

PressSettings ReadPressSettings(const WideString& path, const PluginTraits& traits,
                                TCommonStringRecordList& list)
{
    return RunSettingsStep(path, traits, list, SettingsStep::Press);
}

PressSettings ForeseePress(const WideString& path, const PluginTraits& traits,
                           TCommonStringRecordList& list)
{
    return RunSettingsStep(path, traits, list, SettingsStep::LookAhead);
}

}  // namespace stem
