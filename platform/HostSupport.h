// What a program that hosts the plug-ins needs beyond the plug-ins' own seam: a window that
// answers the plug-ins' requests, and registry values to set up. Used by the tests, by `stem`
// and by the end-to-end host; never linked into the DLLs.
#pragma once

#include <cstdint>
#include <filesystem>

#include "base/UnicodeText.h"
#include "platform/Platform.h"

namespace stem {

namespace platform {

// A window whose requests reach the receiver: a message-only window on Windows, the receiver
// itself in the stand-in.
HostWindow CreateHostWindow(HostReceiver& receiver);
void DestroyHostWindow(HostWindow window);

// The raw data of a string value (REG_SZ, REG_EXPAND_SZ) holding the text: its UTF-16LE code
// units and a closing NUL, as the "W" functions store it.
inline std::string RegistryStringData(const WideString& text)
{
    return WideToUtf16(text + u'\0', ByteOrder::LittleEndian);
}

// Writes a value of any type, its data raw, under HKEY_CURRENT_USER\keyPath, creating the key.
bool SetUserRegistryValue(const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                          const std::string& data);

// Deletes HKEY_CURRENT_USER\keyPath with everything below it. True when it is gone.
bool DeleteUserRegistryTree(const Utf8String& keyPath);

// The same two for a value under HKEY_LOCAL_MACHINE\keyPath: written, creating the key, and
// deleted (true when it is gone). Only a test prefix of Wine or the stand-in lets tests do so.
bool SetMachineRegistryValue(const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                             const std::string& data);
bool DeleteMachineRegistryValue(const Utf8String& keyPath, const Utf8String& name);

// Lets HKEY_CURRENT_USER\keyPath (which must exist) be read but not written, as a policy may,
// or gives back full access. False where the system cannot.
bool SetUserKeyReadOnly(const Utf8String& keyPath, bool readOnly);

// SetEnvironmentVariableW in this process: a variable that expandable registry values may name;
// an empty value removes it.
bool SetEnvironmentValue(const Utf8String& name, const WideString& value);

// SetFileTime / utimensat: gives the file a last-write time, as an edit at that moment would.
bool SetLastWriteTime(const WideString& path, FileTime time);

// A path given on a command line (UTF-8) as the plug-ins name files: the same path, wide, on
// Windows; natively made absolute and named on the stand-in's drives (Z: is "/").
WideString PathFromCommandLine(const std::string& utf8Path);

// The other way: a path as the plug-ins name it, as a user of this system names it (UTF-8):
// the same path on Windows; natively the file the stand-in's drive letter stands for.
std::string PathForCommandLine(const WideString& path);

// ---- What tests need besides ----

// A new, empty folder for a test, named as the plug-ins name folders: under Windows below the
// temporary folder; natively "C:\work" on a new file root of the stand-in's own.
WideString CreateTestFolder();

// Removes the test folder and everything in it (natively: its file root too).
void RemoveTestFolder(const WideString& folder);

// Gives the system back as the test program found it; the test main calls it after each test,
// passed or failed. Natively the stand-in's state (registry, folders, version, locks, faults,
// message box); on Windows there is nothing to give back, each test removing what it made.
void ResetTestSystem();

// The name this system's own file functions (std::filesystem) give the path.
std::filesystem::path SystemPathOf(const WideString& path);

// Sets or clears the file's read-only attribute (natively: all of its write permissions).
bool SetReadOnly(const WideString& path, bool readOnly);

// Takes away or gives back the right to create, rename and remove files in the folder, as a
// folder under Program Files is for a standard user (natively: all of its write permissions).
// False on Windows, where it is not done: Wine, where the Windows tests run, enforces no access
// lists.
bool SetFolderWritable(const WideString& folder, bool writable);

// Holds the file open as another program does until UnlockFile. One that shares nothing (an
// editor in the middle of saving it) makes reads, writes, replacements and removals of the file
// fail; one that shares reading lets it be read. Null when the file cannot be opened.
enum class HolderShares { Nothing, Reading };
using FileLock = void*;
FileLock LockFile(const WideString& path, HolderShares shares = HolderShares::Nothing);
void UnlockFile(FileLock lock);

// The ANSI code page (932, 65001 or 1252) of what follows: the stand-in takes each, to show
// what the plug-ins do on a system with that page (1252 with the English locale of such a
// system). False for any other page, and on Windows, where a program runs on the system's own.
bool ChooseAnsiCodePage(unsigned codePage);

// A 32-bit program on 64-bit Windows, which gets the folders of 32-bit programs.
bool RunsAs32BitOn64BitWindows();

// The program's arguments after its name, as UTF-8 (on Windows read from the wide command
// line, so no code page stands between the user and the program).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Writes bytes to standard output or standard error as they are, with no line-end
// translation (UTF-8 text appears as such on a Windows console). False when not all went out.
bool WriteStandardOutput(const std::string& bytes);
bool WriteStandardError(const std::string& bytes);

}  // namespace platform

}  // namespace stem
