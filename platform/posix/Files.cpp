// The stand-in's files: Windows paths on a root folder of the Linux file system, with the
// answers a Windows system gives (not found vs failed, file times since 1601, local time).
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "base/UnicodeText.h"
#include "platform/posix/StandIn.h"

namespace stem {

namespace {

std::string DefaultRoot()
{
    const char* temp = std::getenv("TMPDIR");
    const std::string base = temp != nullptr && *temp != '\0' ? temp : "/tmp";
    return base + "/stemra-standin";
}

std::string fileRoot = DefaultRoot();
WideString hostExecutablePath;

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Slashed(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Seconds between 1601-01-01 and 1970-01-01, and file-time units per second.
constexpr int64_t EpochDifference = 11644473600LL;
constexpr int64_t UnitsPerSecond = 10000000LL;

platform::FileTime ToFileTime(const struct timespec& time)
{
    const int64_t units =
        (static_cast<int64_t>(time.tv_sec) + EpochDifference) * UnitsPerSecond + time.tv_nsec / 100;
    return units < 0 ? 0 : static_cast<platform::FileTime>(units);
}

platform::FileTime ToFileTime(const struct statx_timestamp& time)
{
    struct timespec converted {};
    converted.tv_sec = time.tv_sec;
    converted.tv_nsec = time.tv_nsec;
    return ToFileTime(converted);
}

// One statx call gives all three times; the birth time where the file system keeps one, else
// the change time stands in for the creation time.
bool ReadFileTimes(const std::string& path, platform::FoundFileTimes& times)
{
    struct statx info {};
    const unsigned wanted = STATX_MTIME | STATX_ATIME | STATX_CTIME | STATX_BTIME;
    if (statx(AT_FDCWD, path.c_str(), 0, wanted, &info) != 0)
        return false;
    const bool hasBirth = (info.stx_mask & STATX_BTIME) != 0;
    times.created = ToFileTime(hasBirth ? info.stx_btime : info.stx_ctime);
    times.lastWritten = ToFileTime(info.stx_mtime);
    times.lastAccessed = ToFileTime(info.stx_atime);
    return true;
}

bool HasWildcard(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

// The entries of the folder (in name order) that the pattern matches, ignoring case as Windows
// does.
std::vector<std::string> Matches(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = readdir(dir))
        if (fnmatch(pattern.c_str(), entry->d_name, FNM_CASEFOLD) == 0)
            names.push_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// A pattern's folder (with its slash) and name.
void SplitPattern(const std::string& path, std::string& folder, std::string& name)
{
    const std::size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// A folder whose every write permission bit is off stands for a folder the user may not change
// (one under Program Files, for a standard user): nothing in it is created, renamed or removed.
// The bits are read rather than tried, as root may write anywhere.
bool FolderRefusesChanges(const std::string& posixPath)
{
    const std::size_t slash = posixPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : posixPath.substr(0, slash);
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

// What another program's open file (LockFile) or a folder that may not be changed forbids.
bool MayChange(const std::string& posixPath)
{
    return !standin::IsLocked(posixPath) && !FolderRefusesChanges(posixPath);
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = write(fd, data + done, size - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace

namespace standin {

void SetFileRoot(const std::string& posixFolder)
{
    fileRoot = posixFolder.empty() ? DefaultRoot() : posixFolder;
    while (fileRoot.size() > 1 && fileRoot.back() == '/')
        fileRoot.pop_back();
}

std::string FileRoot()
{
    return fileRoot;
}

std::string ToPosixPath(const WideString& widePath)
{
    const std::string windowsPath = WideToUtf8(widePath);
    if (windowsPath.size() < 2 || windowsPath[1] != ':' || !IsDriveLetter(windowsPath[0]))
        return Slashed(windowsPath);
    const std::string rest = Slashed(windowsPath.substr(2));
    if (windowsPath[0] == 'Z' || windowsPath[0] == 'z')
        return rest.empty() || rest[0] != '/' ? "/" + rest : rest;
    const std::string drive = fileRoot + "/" + windowsPath[0];
    return rest.empty() || rest[0] == '/' ? drive + rest : drive + "/" + rest;
}

WideString ToWindowsPath(const std::string& posixPath)
{
    const std::string prefix = fileRoot + "/";
    if (posixPath.compare(0, prefix.size(), prefix) == 0 && posixPath.size() > prefix.size() &&
        IsDriveLetter(posixPath[prefix.size()])) {
        const std::string rest = posixPath.substr(prefix.size() + 1);
        if (rest.empty() || rest[0] == '/') {
            std::string path = std::string(1, posixPath[prefix.size()]) + ":" + rest;
            std::replace(path.begin(), path.end(), '/', '\\');
            return Utf8ToWideReplacing(path.size() == 2 ? path + "\\" : path);
        }
    }
    std::string path = "Z:" + posixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return Utf8ToWideReplacing(path);
}

void SetHostExecutablePath(const WideString& path)
{
    hostExecutablePath = path;
}

}  // namespace standin

namespace platform {

FileStatus ReadWholeFile(const WideString& path, std::string& bytes)
{
    const int fd = open(standin::ToPosixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileStatus::NotFound : FileStatus::Failed;
    if (standin::Failing(standin::Fault::OpenForRead) || standin::Failing(standin::Fault::Read) ||
        standin::IsLockedForReading(standin::ToPosixPath(path))) {
        close(fd);
        return FileStatus::Failed;
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {  // a folder opens but does not read, like CreateFileA refusing it
            close(fd);
            return FileStatus::Failed;
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    bytes.swap(text);
    standin::FileReadDone();
    return FileStatus::Ok;
}

bool WriteNewFile(const WideString& path, const std::string& bytes)
{
    const std::string posixPath = standin::ToPosixPath(path);
    if (standin::Failing(standin::Fault::OpenForWrite) || !MayChange(posixPath))
        return false;
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int fd = open(posixPath.c_str(), flags, 0644);
    if (fd < 0)
        return false;
    // A full disk: half of the bytes reach the file, then the write fails.
    const bool diskFull = standin::Failing(standin::Fault::Write);
    if (!WriteAll(fd, bytes.data(), diskFull ? bytes.size() / 2 : bytes.size()) || diskFull) {
        close(fd);
        return false;
    }
    const bool flushed = !standin::Failing(standin::Fault::Flush) && fsync(fd) == 0;
    return close(fd) == 0 && flushed;
}

bool ReplaceExistingFile(const WideString& target, const WideString& replacement)
{
    if (standin::Failing(standin::Fault::Replace))
        return false;
    const std::string to = standin::ToPosixPath(target);
    const std::string from = standin::ToPosixPath(replacement);
    if (!MayChange(to) || !MayChange(from))
        return false;
    struct stat targetInfo {};
    if (stat(to.c_str(), &targetInfo) != 0 || !S_ISREG(targetInfo.st_mode))
        return false;
    if (chmod(from.c_str(), targetInfo.st_mode & 07777) != 0)
        return false;
    return rename(from.c_str(), to.c_str()) == 0;
}

bool MoveFileReplacing(const WideString& from, const WideString& to)
{
    if (standin::Failing(standin::Fault::Move))
        return false;
    const std::string source = standin::ToPosixPath(from);
    const std::string target = standin::ToPosixPath(to);
    if (!MayChange(source) || !MayChange(target))
        return false;
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return false;  // Windows never replaces a folder
    return rename(source.c_str(), target.c_str()) == 0;
}

bool RemoveFile(const WideString& path)
{
    const std::string posixPath = standin::ToPosixPath(path);
    return !standin::Failing(standin::Fault::Remove) && MayChange(posixPath) &&
           unlink(posixPath.c_str()) == 0;
}

bool PathExists(const WideString& path)
{
    struct stat info {};
    return stat(standin::ToPosixPath(path).c_str(), &info) == 0;
}

// A file whose every write permission bit is off stands for the read-only attribute (the
// check cannot ask access(): root may write anything).
bool IsReadOnlyFile(const WideString& path)
{
    struct stat info {};
    return stat(standin::ToPosixPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & 0222) == 0;
}

bool FindFileTimes(const WideString& pattern, FoundFileTimes& times)
{
    if (standin::Failing(standin::Fault::FindFile))
        return false;
    std::string path = standin::ToPosixPath(pattern);
    std::string folder;
    std::string name;
    SplitPattern(path, folder, name);
    if (name.empty())
        return false;  // "C:\folder\" finds nothing on Windows either
    if (HasWildcard(name)) {
        const std::vector<std::string> found = Matches(folder, name);
        if (found.empty())
            return false;
        path = folder + found.front();
    }
    return ReadFileTimes(path, times);
}

bool CreateFolder(const WideString& path)
{
    const std::string posixPath = standin::ToPosixPath(path);
    return !standin::Failing(standin::Fault::CreateFolder) && !FolderRefusesChanges(posixPath) &&
           mkdir(posixPath.c_str(), 0755) == 0;
}

bool RemoveFolder(const WideString& path)
{
    const std::string posixPath = standin::ToPosixPath(path);
    return MayChange(posixPath) && rmdir(posixPath.c_str()) == 0;
}

bool CanCreateFile(const WideString& path)
{
    const std::string posixPath = standin::ToPosixPath(path);
    if (standin::Failing(standin::Fault::OpenForWrite) || !MayChange(posixPath))
        return false;
    const int fd = open(posixPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    close(fd);
    unlink(posixPath.c_str());
    return true;
}

// A file that open() refuses for writing (for root, only one marked immutable) stands for one
// whose permissions deny writing; a file another program holds (LockFile) is refused too.
bool CanWriteFile(const WideString& path)
{
    const std::string posixPath = standin::ToPosixPath(path);
    if (standin::IsLocked(posixPath))
        return false;
    const int fd = open(posixPath.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

std::vector<WideString> FindFileNames(const WideString& pattern)
{
    std::vector<WideString> names;
    if (standin::Failing(standin::Fault::FindFile))
        return names;
    std::string folder;
    std::string name;
    SplitPattern(standin::ToPosixPath(pattern), folder, name);
    for (const std::string& found : Matches(folder, name)) {
        struct stat info {};
        if (stat((folder + found).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(Utf8ToWideReplacing(found));
    }
    return names;
}

WideString HostExecutablePath()
{
    if (!hostExecutablePath.empty())
        return hostExecutablePath;
    char buffer[PATH_MAX];
    const ssize_t size = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (size <= 0)
        return WideString();
    return standin::ToWindowsPath(std::string(buffer, static_cast<std::size_t>(size)));
}

uint32_t CurrentProcessId()
{
    return static_cast<uint32_t>(getpid());
}

// Numbers that no Linux process can have are taken as running: their files are left alone.
bool ProcessRunning(uint32_t processId)
{
    if (processId == 0 || processId > static_cast<uint32_t>(INT_MAX))
        return true;
    return kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

}  // namespace platform

}  // namespace stem
