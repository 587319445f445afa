#include "platform/posix/StandIn.h"

#include <bitset>
#include <functional>
#include <set>

namespace stem {

namespace {

std::bitset<sizeof(standin::AllFaults) / sizeof(standin::AllFaults[0])> injectedFaults;
std::multiset<std::string> lockedFiles;      // held by programs that share nothing
std::multiset<std::string> readSharedFiles;  // held by programs that share reading
std::function<void()> afterFileRead;

}  // namespace

namespace standin {

const char* FaultName(Fault fault)
{
    static const char* const names[] = {
        "OpenForRead", "Read",   "OpenForWrite", "Write",    "Flush",        "Replace",
        "Move",        "Remove", "CreateFolder", "FindFile", "RegistryOpen", "RegistryQuery",
    };
    return names[static_cast<int>(fault)];
}

void InjectFault(Fault fault)
{
    injectedFaults.set(static_cast<std::size_t>(fault));
}

void ClearFaults()
{
    injectedFaults.reset();
}

bool Failing(Fault fault)
{
    return injectedFaults.test(static_cast<std::size_t>(fault));
}

namespace {

std::multiset<std::string>& HeldFiles(Holder holder)
{
    return holder == Holder::SharesNothing ? lockedFiles : readSharedFiles;
}

}  // namespace

void LockFile(const std::string& posixPath, Holder holder)
{
    HeldFiles(holder).insert(posixPath);
}

void UnlockFile(const std::string& posixPath, Holder holder)
{
    std::multiset<std::string>& held = HeldFiles(holder);
    const auto found = held.find(posixPath);
    if (found != held.end())
        held.erase(found);
}

bool IsLocked(const std::string& posixPath)
{
    return IsLockedForReading(posixPath) || readSharedFiles.count(posixPath) != 0;
}

bool IsLockedForReading(const std::string& posixPath)
{
    return lockedFiles.count(posixPath) != 0;
}

void AfterNextFileRead(std::function<void()> action)
{
    afterFileRead = std::move(action);
}

void FileReadDone()
{
    if (afterFileRead) {
        const std::function<void()> action = std::move(afterFileRead);
        afterFileRead = nullptr;
        action();
    }
}

void ResetAll()
{
    lockedFiles.clear();
    readSharedFiles.clear();
    afterFileRead = nullptr;
    SetFileRoot("");
    SetVersionFacts(DefaultVersionFacts());
    ResetSpecialFolders();
    ResetEnvironment();
    SetAnsiCodePage(platform::ShiftJisCodePage);
    SetHostExecutablePath(u"");
    ClearRegistry();
    ResetMessageBox();
    ClearFaults();
}

}  // namespace standin

}  // namespace stem
