// What a program that hosts the plug-ins needs beyond the plug-ins' own seam: a window that
// answers the plug-ins' requests, and registry values to set up. Used by the tests, by `stem`
// and by the end-to-end host; never linked into the DLLs.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace stem {

namespace platform {

// A window whose requests reach the receiver: a message-only window on Windows, the receiver
// itself in the stand-in.
HostWindow CreateHostWindow(HostReceiver& receiver);
void DestroyHostWindow(HostWindow window);

// Writes a REG_SZ (or any type) value under HKEY_CURRENT_USER\keyPath, creating the key.
bool SetUserRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                          const std::string& data);

// Deletes HKEY_CURRENT_USER\keyPath with everything below it. True when it is gone.
bool DeleteUserRegistryTree(const AnsiString& keyPath);

// The same two for a value under HKEY_LOCAL_MACHINE\keyPath: written, creating the key, and
// deleted (true when it is gone). Only a test prefix of Wine or the stand-in lets tests do so.
bool SetMachineRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                             const std::string& data);
bool DeleteMachineRegistryValue(const AnsiString& keyPath, const AnsiString& name);

// Lets HKEY_CURRENT_USER\keyPath (which must exist) be read but not written, as a policy may,
// or gives back full access. False where the system cannot.
bool SetUserKeyReadOnly(const AnsiString& keyPath, bool readOnly);

// SetEnvironmentVariableA in this process: a variable that expandable registry values may name;
// an empty value removes it.
bool SetEnvironmentValue(const AnsiString& name, const AnsiString& value);

// SetFileTime / utimensat: gives the file a last-write time, as an edit at that moment would.
bool SetLastWriteTime(const AnsiString& path, FileTime time);

// A path given on a command line (UTF-8) as the plug-ins name files: in the code page on
// Windows; natively made absolute and named on the stand-in's drives (Z: is "/").
AnsiString PathFromCommandLine(const std::string& utf8Path);

// The other way: a path as the plug-ins name it, as a user of this system names it (UTF-8):
// the same path on Windows; natively the file the stand-in's drive letter stands for.
std::string PathForCommandLine(const AnsiString& path);

// ---- What tests need besides ----

// A new, empty folder for a test, named as the plug-ins name folders: under Windows below the
// temporary folder; natively "C:\work" on a new file root of the stand-in's own.
AnsiString CreateTestFolder();

// Removes the test folder and everything in it (natively: its file root too).
void RemoveTestFolder(const AnsiString& folder);

// Gives the system back as the test program found it; the test main calls it after each test,
// passed or failed. Natively the stand-in's state (registry, folders, version, locks, faults,
// message box); on Windows there is nothing to give back, each test removing what it made.
void ResetTestSystem();

// The name this system's own file functions (std::filesystem) give the path.
std::string SystemPathOf(const AnsiString& path);

// Sets or clears the file's read-only attribute (natively: all of its write permissions).
bool SetReadOnly(const AnsiString& path, bool readOnly);

// Takes away or gives back the right to create, rename and remove files in the folder, as a
// folder under Program Files is for a standard user (natively: all of its write permissions).
// False where the system cannot (Wine, where the Windows tests run, enforces no access lists).
bool SetFolderWritable(const AnsiString& folder, bool writable);

// Holds the file open as another program does until UnlockFile. One that shares nothing (an
// editor in the middle of saving it) makes reads, writes, replacements and removals of the file
// fail; one that shares reading lets it be read. Null when the file cannot be opened.
enum class HolderShares { Nothing, Reading };
using FileLock = void*;
FileLock LockFile(const AnsiString& path, HolderShares shares = HolderShares::Nothing);
void UnlockFile(FileLock lock);

// The ANSI code page (932 or 65001) of what follows: the stand-in takes either, to show what
// the plug-ins do on a system with that page. False on Windows, where a program runs on the
// system's own page.
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
