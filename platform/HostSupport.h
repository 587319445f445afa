// What a program that hosts the plug-ins needs beyond the plug-ins' own seam: a window that
// answers the plug-ins' requests, and registry values to set up. Used by the tests, by `stem`
// and by the end-to-end host; never linked into the DLLs.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace platform {

// Answers the requests that the plug-ins send to their editor window.
class HostReceiver {
public:
    virtual ~HostReceiver() = default;
    virtual intptr_t Receive(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

// A window whose requests reach the receiver: a message-only window on Windows, the receiver
// itself in the stand-in.
HostWindow CreateHostWindow(HostReceiver& receiver);
void DestroyHostWindow(HostWindow window);

// Writes a REG_SZ (or any type) value under HKEY_CURRENT_USER\keyPath, creating the key.
bool SetUserRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                          const std::string& data);

// Deletes HKEY_CURRENT_USER\keyPath with everything below it. True when it is gone.
bool DeleteUserRegistryTree(const AnsiString& keyPath);

// SetFileTime / utimensat: gives the file a last-write time, as an edit at that moment would.
bool SetLastWriteTime(const AnsiString& path, FileTime time);

// The program's arguments after its name, as UTF-8 (on Windows read from the wide command
// line, so no code page stands between the user and the program).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Writes bytes to standard output or standard error as they are, with no line-end
// translation (UTF-8 text appears as such on a Windows console). False when not all went out.
bool WriteStandardOutput(const std::string& bytes);
bool WriteStandardError(const std::string& bytes);

}  // namespace platform
