#include "platform/posix/StandIn.h"

namespace standin {

void ResetAll()
{
    SetFileRoot("");
    SetVersionFacts(DefaultVersionFacts());
    ResetSpecialFolders();
    SetHostExecutablePath("");
    ClearRegistry();
    ResetMessageBox();
}

}  // namespace standin
