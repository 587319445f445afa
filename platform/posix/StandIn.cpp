#include "platform/posix/StandIn.h"

#include <bitset>

namespace stem {

namespace {

std::bitset<sizeof(standin::AllFaults) / sizeof(standin::AllFaults[0])> injectedFaults;

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

void ResetAll()
{
    SetFileRoot("");
    SetVersionFacts(DefaultVersionFacts());
    ResetSpecialFolders();
    SetHostExecutablePath("");
    ClearRegistry();
    ResetMessageBox();
    ClearFaults();
}

}  // namespace standin

}  // namespace stem
