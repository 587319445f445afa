// The settings file "StemraTime.ini" that both plug-ins share: where it lives, the defaults
// each plug-in writes into its own section, its times, and loading a section's patterns.
#pragma once

#include "MyLibrary/Common/Types.h"
#include "MyLibrary/WideStringRecordList/RecordList.h"
#include "platform/Platform.h"
#include "plugin/PluginTraits.h"

// The settings file in the plug-in folder, in the system code page, with exactly one
// backslash between the folder and the file name.
AnsiString SettingsFileIn(const WideString& pluginFolder);

// On Windows Vista, 7 and Server 2008 (R2 included), a path under Program Files is moved to the
// same place under the user's application-data folder, whose folders are then created. Any
// other path, or any other system, keeps the path as it is.
WideString AdjustSettingsPath(const WideString& path);

// The pieces of that decision, for any system and any folders.
bool KeepsSettingsOutOfProgramFiles(const AnsiString& windowsVersionName);
WideString MoveToFolder(const WideString& path, const WideString& programFiles,
                        const WideString& appData);

// Creates the folder and every missing folder above it. Failures are not reported: the save
// that needs the folder reports them.
void CreateFolderChain(const AnsiString& folder);

// Writes the plug-in's default patterns when its section has no key line yet; a section that
// has any key is left alone. Raises FileError when the file cannot be read or written.
void WriteDefaultPatterns(const AnsiString& path, const PluginTraits& traits);

// Local date-time values of the file's times.
struct FileTimes {
    TDateTime created = 0;
    TDateTime lastWritten = 0;
    TDateTime lastAccessed = 0;
};

// Fills the record from the file found at the path; leaves it untouched when there is none.
void GetFileTimes(const AnsiString& path, FileTimes& times);

// The file's last-write time through GetFileTimes on a zeroed record: 0 when there is no file.
TDateTime LastWriteTimeOf(const AnsiString& path);

// A UTC file time as a local date-time value; 0 for the file time 0 (or one that cannot be
// converted).
TDateTime FileTimeToLocalDate(platform::FileTime fileTime);

// Refills the list with the section's "Item01", "Item02", ... up to the first missing number,
// followed by one empty entry. Raises FileError when the file exists but cannot be read.
void LoadFormatList(const AnsiString& path, const AnsiString& section, TCommonStringRecordList& list);
