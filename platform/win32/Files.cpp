// Files through the wide Win32 functions: a path reaches the file system as the plug-ins hold
// it, UTF-16, whatever the ANSI code page.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

namespace stem {

namespace {

// Closes a file handle however the function that opened it ends.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle()
    {
        if (IsOpen())
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close()
    {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

platform::FileTime ToFileTime(const FILETIME& time)
{
    return (static_cast<platform::FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

namespace platform {

FileStatus ReadWholeFile(const WideString& path, std::string& bytes)
{
    // Another program may put a new file in this one's place while it is read.
    FileHandle file(CreateFileW(AsWin(path), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileStatus::NotFound
                                                                              : FileStatus::Failed;
    }
    std::string text;
    std::vector<char> buffer(65536);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            return FileStatus::Failed;
        if (got == 0)
            break;
        text.append(buffer.data(), got);
    }
    bytes.swap(text);
    return FileStatus::Ok;
}

bool WriteNewFile(const WideString& path, const std::string& bytes)
{
    FileHandle file(CreateFileW(AsWin(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 20);
        DWORD put = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, static_cast<DWORD>(chunk), &put, nullptr) ||
            put == 0)
            return false;
        done += put;
    }
    const bool flushed = FlushFileBuffers(file.Get()) != 0;
    return file.Close() && flushed;
}

// One rename puts the new file in place, so no reader ever finds the file missing or partly
// written; the target's attributes and creation time are given to the new file first.
// (ReplaceFileA keeps them too, but Wine carries it out as two renames with a moment between
// them when there is no file at all.) A target that another program holds open for a moment
// is tried again a few times.
bool ReplaceExistingFile(const WideString& target, const WideString& replacement)
{
    WIN32_FILE_ATTRIBUTE_DATA old;
    if (!GetFileAttributesExW(AsWin(target), GetFileExInfoStandard, &old) ||
        (old.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    const DWORD kept =
        old.dwFileAttributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    {
        FileHandle file(CreateFileW(AsWin(replacement), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen() || !SetFileTime(file.Get(), &old.ftCreationTime, nullptr, nullptr))
            return false;
    }
    if (!SetFileAttributesW(AsWin(replacement), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL))
        return false;
    for (DWORD pause = 10; pause <= 160; pause *= 2) {
        if (MoveFileExW(AsWin(replacement), AsWin(target),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
            error != ERROR_LOCK_VIOLATION)
            return false;
        Sleep(pause);
    }
    return false;
}

bool MoveFileReplacing(const WideString& from, const WideString& to)
{
    return MoveFileExW(AsWin(from), AsWin(to),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const WideString& path)
{
    return DeleteFileW(AsWin(path)) != 0;
}

bool PathExists(const WideString& path)
{
    return GetFileAttributesW(AsWin(path)) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnlyFile(const WideString& path)
{
    const DWORD attributes = GetFileAttributesW(AsWin(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool FindFileTimes(const WideString& pattern, FoundFileTimes& times)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(AsWin(pattern), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    times.created = ToFileTime(found.ftCreationTime);
    times.lastWritten = ToFileTime(found.ftLastWriteTime);
    times.lastAccessed = ToFileTime(found.ftLastAccessTime);
    FindClose(search);
    return true;
}

bool CreateFolder(const WideString& path)
{
    return CreateDirectoryW(AsWin(path), nullptr) != 0;
}

bool RemoveFolder(const WideString& path)
{
    return RemoveDirectoryW(AsWin(path)) != 0;
}

bool CanCreateFile(const WideString& path)
{
    FileHandle file(CreateFileW(AsWin(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.IsOpen();
}

bool CanWriteFile(const WideString& path)
{
    FileHandle file(CreateFileW(AsWin(path), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen();
}

std::vector<WideString> FindFileNames(const WideString& pattern)
{
    std::vector<WideString> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(AsWin(pattern), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(FromWin(found.cFileName, wcslen(found.cFileName)));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

WideString HostExecutablePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (size == 0)
            return WideString();
        if (size < buffer.size() || buffer.size() >= 32768)
            return FromWin(buffer.data(), size);
        buffer.resize(buffer.size() * 2);  // the path was cut short
    }
}

uint32_t CurrentProcessId()
{
    return GetCurrentProcessId();
}

// SYNCHRONIZE is granted on every Windows version; a process that exists but refuses even that
// is running. Only "no such process" (an invalid parameter) counts as gone.
bool ProcessRunning(uint32_t processId)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

}  // namespace platform

}  // namespace stem
