// Controls of the POSIX stand-in, for tests and `stem`: the facts that a real Windows system
// would supply. Every control has a default that looks like a Japanese Windows 7 SP1 system.
#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"

namespace stem {

namespace standin {

// Windows paths map onto a root folder: "C:\a\b" -> "<root>/C/a/b" (case kept as written).
// The drive Z: maps to "/" as it does under Wine, so Linux paths can be named "Z:\tmp\x".
// Default root: $TMPDIR/stemra-standin (or /tmp/stemra-standin); an empty folder restores it.
void SetFileRoot(const std::string& posixFolder);
std::string FileRoot();
// Linux names are UTF-8, as under Wine.
std::string ToPosixPath(const WideString& windowsPath);
WideString ToWindowsPath(const std::string& posixPath);

// The version records and by-name query results. Default: Windows 7 SP1 workstation
// (6.1.7601, platform 2, "Service Pack 1", product type 1, x64, product number 1).
void SetVersionFacts(const platform::VersionFacts& facts);
platform::VersionFacts DefaultVersionFacts();

// Special folders by CSIDL. Defaults: 38 -> "C:\Program Files",
// 26 -> "C:\Users\<user>\AppData\Roaming"; any other number fails.
void SetSpecialFolder(int csidl, const WideString& path);
void ResetSpecialFolders();

// The host program's path (GetModuleFileNameW). Default (also for an empty path): the
// running program as a Z: path.
void SetHostExecutablePath(const WideString& path);

// The in-memory HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE: emptied.
void ClearRegistry();

// The yes-or-no question: the answer it gives (default Yes) and what it was last shown.
struct MessageBoxCall {
    platform::HostWindow owner = nullptr;
    WideString text;
    WideString caption;
    int count = 0;
};
void SetMessageBoxAnswer(bool yes);
const MessageBoxCall& LastMessageBox();
void ResetMessageBox();

// Calls that can be made to fail on demand, as a full disk, a locked file, a denied folder or a
// damaged registry would make them fail. A failing write first writes half of its bytes.
enum class Fault {
    OpenForRead,   // ReadWholeFile cannot open the file
    Read,          // ReadWholeFile opens it but the read fails
    OpenForWrite,  // WriteNewFile cannot create the file
    Write,         // WriteNewFile writes half, then fails
    Flush,         // WriteNewFile's flush fails
    Replace,       // ReplaceExistingFile
    Move,          // MoveFileReplacing
    Remove,        // RemoveFile
    CreateFolder,
    FindFile,       // FindFileTimes finds nothing
    RegistryOpen,   // OpenOrCreateUserKey, OpenSubKey and ReadMachineKeyValues
    RegistryQuery,  // QueryRegistryValue and ReadMachineKeyValues
};
constexpr Fault AllFaults[] = {
    Fault::OpenForRead,  Fault::Read,     Fault::OpenForWrite, Fault::Write,
    Fault::Flush,        Fault::Replace,  Fault::Move,         Fault::Remove,
    Fault::CreateFolder, Fault::FindFile, Fault::RegistryOpen, Fault::RegistryQuery,
};
const char* FaultName(Fault fault);

// Every later call of that kind fails until the faults are cleared.
void InjectFault(Fault fault);
void ClearFaults();
// For the stand-in's own functions: the call of that kind must fail.
bool Failing(Fault fault);

// Files that another program holds open: one that shares nothing (an editor in the middle of a
// save) makes reading, writing, replacing and removing the file fail until it is unlocked; one
// that shares reading only lets it be read. Keyed by the file's Linux name; a file locked twice
// needs two unlocks.
enum class Holder { SharesNothing, SharesReading };
void LockFile(const std::string& posixPath, Holder holder);
void UnlockFile(const std::string& posixPath, Holder holder);
// Some holder keeps the file from being written, replaced or removed.
bool IsLocked(const std::string& posixPath);
// A holder that shares nothing keeps it from being read too.
bool IsLockedForReading(const std::string& posixPath);

// Runs the action once, inside the next ReadWholeFile that succeeds, once the file's bytes are
// read: another program's save that lands while a press reads the settings file.
void AfterNextFileRead(std::function<void()> action);
// For the stand-in's ReadWholeFile: runs that action, if any.
void FileReadDone();

// The system the stand-in plays, by its ANSI code page: 932 (the default), a Japanese system;
// 65001, the same where Windows' UTF-8 option is on or the host's manifest asks for it; 1252,
// an English (en-US) system: English day names and AM/PM, and no Japanese era calendar. Every
// "A" function's text is in this page. False, and nothing changed, for any other page.
bool SetAnsiCodePage(unsigned codePage);

// The environment variables that ExpandEnvironmentText knows. Defaults: APPDATA and
// USERPROFILE of the default user; an empty value removes the variable.
void SetEnvironmentVariable(const Utf8String& name, const WideString& value);
void ResetEnvironment();

// Puts every control back to its default.
void ResetAll();

}  // namespace standin

}  // namespace stem
