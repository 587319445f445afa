// The settings file "StemraTime.ini" that the plug-ins share: where it lives, the defaults
// each plug-in writes into its own section, its last-write time, and loading a section's
// patterns.
#pragma once

#include <functional>
#include <vector>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/WideStringRecordList/RecordList.h"
#include "base/Types.h"
#include "platform/Platform.h"
#include "plugin/PluginTraits.h"

namespace stem {

// The settings file in the plug-in folder, with exactly one backslash between the folder and
// the file name.
WideString SettingsFileIn(const WideString& pluginFolder);

// Where the plug-ins keep the settings file of a plug-in folder: the file in the folder, moved
// out of Program Files where the system asks for it (AdjustSettingsPath).
WideString LocateSettingsFile(const WideString& pluginFolder);

// "Item01", "Item02", ..., "Item100": the key of a section's pattern of that number.
Utf8String ItemKey(int64_t number);

// The number of a key spelled "Item" and 1 to 18 ASCII digits, letter case ignored ("item7"
// gives 7, though only ItemKey(7) is read); false for any other key.
bool ItemNumberOf(const Utf8String& key, int64_t& number);

// The keys a load reads, Item01, Item02, ... up to the first number that placeOf does not find
// (-1): their places, in number order.
std::vector<int> ReadItemPlaces(const std::function<int(const Utf8String& key)>& placeOf);

// On Windows Vista, 7 and Server 2008 (R2 included), a path under Program Files is moved to the
// same place under the user's application-data folder, whose folders are then created. Any
// other path, or any other system, keeps the path as it is.
WideString AdjustSettingsPath(const WideString& path);

// The pieces of that decision, for any system and any folders.
bool KeepsSettingsOutOfProgramFiles(const Utf8String& windowsVersionName);
WideString MoveToFolder(const WideString& path, const WideString& programFiles,
                        const WideString& appData);

// Creates the folder and every missing folder above it, all or none: when one of them cannot
// be made, those made are removed again. Failures are not reported: the save that needs the
// folder reports them.
void CreateFolderChain(const WideString& folder);

// What the defaults step makes of the plug-in's section.
enum class DefaultsPlacement {
    NotNeeded,       // the section has a key line: nothing is added
    Added,           // the defaults now stand in the section, where a load finds them
    OutsideSection,  // they would land outside it (its name opens it in a comment just above
                     // its real header): no load would find them
    SharedSection,   // they would land in another plug-in's section too
};

// Whether the defaults, once placed, are where a load of the plug-in's section finds them.
bool LoadsFromFile(DefaultsPlacement placement);

// Adds the plug-in's default patterns to the lines in memory when its section has no key
// line, and tells where they went. Unless they were Added, the object must not be saved.
DefaultsPlacement PlaceDefaultPatterns(TAccessIniFile& settings, const PluginTraits& traits);

// What keeps a save of the settings file from landing.
enum class SaveObstacle {
    None,
    NotKeptExactly,     // the file holds what the lines cannot carry: never written
    ReadOnly,           // the file has the read-only attribute
    FileNotWritable,    // the system does not let the file be written (permissions, or a holder)
    NoFolder,           // its folder does not exist
    FolderNotWritable,  // no new file can be made in its folder (no permission, or disk full)
    SaveFailed,         // none of these, yet the save did not land
};

// What keeps a save from landing, as far as can be told without saving: None or one of the
// obstacles before SaveFailed.
SaveObstacle FindSaveObstacle(const TAccessIniFile& settings);

// The end of a sentence on the obstacle, naming the file and its folder in the words given (a
// path, or words such as "this file").
Utf8String DescribeObstacle(SaveObstacle obstacle, const Utf8String& file,
                            const Utf8String& folder);

// The settings step of a press, or what it would do.
struct PressSettings {
    bool read = false;  // the file was read (or there was none)
    DefaultsPlacement placement = DefaultsPlacement::NotNeeded;
    // What kept the Added defaults out of the file; None when they were saved.
    SaveObstacle obstacle = SaveObstacle::None;
    Utf8String trouble;  // what could not be done: the file read or the defaults saved
};

// Reads the plug-in's patterns from the file into the list. When its section has no key line,
// the defaults are first added to the file; when they cannot be (the file cannot be written for
// any reason, or they would land where no load finds them), the file is left exactly as it was
// and the list holds the defaults from memory. A file that cannot be read leaves the list as it
// was.
PressSettings ReadPressSettings(const WideString& path, const PluginTraits& traits,
                                TCommonStringRecordList& list);

// What the next press of a freshly started plug-in does with the file as it is now, told by the
// same step without changing the file: where Added defaults would be saved, the obstacle is the
// one FindSaveObstacle finds.
PressSettings ForeseePress(const WideString& path, const PluginTraits& traits,
                           TCommonStringRecordList& list);

// The plug-in's defaults as a load of a file of them gives them.
void LoadDefaultPatterns(const PluginTraits& traits, TCommonStringRecordList& list);

// The file's last-write time as the file system keeps it (FindFirstFileW): 0 when there is no
// file. Compared as it is, so a reload happens on any change of it.
platform::FileTime LastWriteTimeOf(const WideString& path);

// Refills the list with the section's "Item01", "Item02", ... up to the first missing number,
// followed by one empty entry.
void LoadFormatList(TAccessIniFile& settings, const Utf8String& section,
                    TCommonStringRecordList& list);

}  // namespace stem
