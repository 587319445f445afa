#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"

namespace stem::platform {

// File times count 100-nanosecond units from 1601-01-01; the access time is left as it is.
bool SetLastWriteTime(const WideString& path, FileTime time)
{
    constexpr int64_t EpochDifference = 11644473600LL;  // seconds from 1601 to 1970
    struct timespec times[2]{};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(static_cast<int64_t>(time / 10000000) - EpochDifference);
    times[1].tv_nsec = static_cast<long>(time % 10000000 * 100);
    return utimensat(AT_FDCWD, standin::ToPosixPath(path).c_str(), times, 0) == 0;
}

WideString PathFromCommandLine(const std::string& utf8Path)
{
    return standin::ToWindowsPath(std::filesystem::absolute(utf8Path).string());
}

std::string PathForCommandLine(const WideString& path)
{
    return standin::ToPosixPath(path);
}

WideString CreateTestFolder()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/stemtest-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    standin::SetFileRoot(pattern);
    std::filesystem::create_directories(pattern + "/C/work");
    return u"C:\\work";
}

void ResetTestSystem()
{
    standin::ResetAll();
}

void RemoveTestFolder(const WideString&)
{
    std::error_code ignored;
    std::filesystem::remove_all(standin::FileRoot(), ignored);
    standin::SetFileRoot("");
}

std::filesystem::path SystemPathOf(const WideString& path)
{
    return standin::ToPosixPath(path);
}

// A file with no write permission stands for the read-only attribute in the stand-in.
bool SetReadOnly(const WideString& path, bool readOnly)
{
    return chmod(standin::ToPosixPath(path).c_str(), readOnly ? 0444 : 0644) == 0;
}

bool SetFolderWritable(const WideString& folder, bool writable)
{
    return chmod(standin::ToPosixPath(folder).c_str(), writable ? 0755 : 0555) == 0;
}

namespace {

struct HeldFile {
    std::string posixPath;
    standin::Holder holder;
};

}  // namespace

FileLock LockFile(const WideString& path, HolderShares shares)
{
    const std::string posixPath = standin::ToPosixPath(path);
    struct stat info {};
    if (stat(posixPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    const standin::Holder holder = shares == HolderShares::Reading ? standin::Holder::SharesReading
                                                                   : standin::Holder::SharesNothing;
    standin::LockFile(posixPath, holder);
    return new HeldFile{posixPath, holder};
}

void UnlockFile(FileLock lock)
{
    const HeldFile* held = static_cast<HeldFile*>(lock);
    if (held == nullptr)
        return;
    standin::UnlockFile(held->posixPath, held->holder);
    delete held;
}

bool ChooseAnsiCodePage(unsigned codePage)
{
    return standin::SetAnsiCodePage(codePage);
}

bool RunsAs32BitOn64BitWindows()
{
    return false;
}

}  // namespace stem::platform
