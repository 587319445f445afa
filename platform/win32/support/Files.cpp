#include <windows.h>

#include <filesystem>
#include <system_error>

#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "platform/win32/WideText.h"

namespace stem::platform {

bool SetLastWriteTime(const WideString& path, FileTime time)
{
    const HANDLE file = CreateFileW(AsWin(path), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME written;
    written.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFFu);
    written.dwHighDateTime = static_cast<DWORD>(time >> 32);
    const bool set = SetFileTime(file, nullptr, nullptr, &written) != 0;
    CloseHandle(file);
    return set;
}

WideString PathFromCommandLine(const std::string& utf8Path)
{
    return Utf8ToWideReplacing(utf8Path);
}

std::string PathForCommandLine(const WideString& path)
{
    return WideToUtf8(path);
}

WideString CreateTestFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    static int counter = 0;
    for (;;) {
        const std::string name =
            "StemTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        const WideString path = FromWin(temp, length) + Utf8ToWideReplacing(name);
        if (CreateDirectoryW(AsWin(path), nullptr))
            return path;
    }
}

void RemoveTestFolder(const WideString& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(SystemPathOf(folder), ignored);
}

// A test's folders, keys and locks are its own and gone when it ends; the system keeps no
// other state that a test changes.
void ResetTestSystem()
{
}

std::filesystem::path SystemPathOf(const WideString& path)
{
    return std::wstring(path.begin(), path.end());
}

bool SetReadOnly(const WideString& path, bool readOnly)
{
    return SetFileAttributesW(AsWin(path),
                              readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool SetFolderWritable(const WideString&, bool)
{
    return false;
}

FileLock LockFile(const WideString& path, HolderShares shares)
{
    const DWORD sharing = shares == HolderShares::Reading ? FILE_SHARE_READ : 0;
    const HANDLE file = CreateFileW(AsWin(path), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

void UnlockFile(FileLock lock)
{
    if (lock != nullptr)
        CloseHandle(static_cast<HANDLE>(lock));
}

bool ChooseAnsiCodePage(unsigned)
{
    return false;
}

bool RunsAs32BitOn64BitWindows()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace stem::platform
