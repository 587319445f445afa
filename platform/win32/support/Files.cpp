#include <windows.h>

#include <filesystem>
#include <system_error>

#include "base/UnicodeText.h"
#include "platform/HostSupport.h"

namespace stem::platform {

bool SetLastWriteTime(const AnsiString& path, FileTime time)
{
    const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
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

AnsiString PathFromCommandLine(const std::string& utf8Path)
{
    WideString wide;
    Utf8ToWide(utf8Path, wide);
    return WideToAnsi(wide);
}

std::string PathForCommandLine(const AnsiString& path)
{
    return WideToUtf8(AnsiToWide(path));
}

AnsiString CreateTestFolder()
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    for (;;) {
        const AnsiString path = std::string(temp) + "StemTest" +
                                std::to_string(GetCurrentProcessId()) + "_" +
                                std::to_string(++counter);
        if (CreateDirectoryA(path.c_str(), nullptr))
            return path;
    }
}

void RemoveTestFolder(const AnsiString& folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// A test's folders, keys and locks are its own and gone when it ends; the system keeps no
// other state that a test changes.
void ResetTestSystem()
{
}

std::string SystemPathOf(const AnsiString& path)
{
    return path;
}

bool SetReadOnly(const AnsiString& path, bool readOnly)
{
    return SetFileAttributesA(path.c_str(),
                              readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool SetFolderWritable(const AnsiString&, bool)
{
    return false;
}

FileLock LockFile(const AnsiString& path, HolderShares shares)
{
    const DWORD sharing = shares == HolderShares::Reading ? FILE_SHARE_READ : 0;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
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
