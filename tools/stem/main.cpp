// stem: the plug-ins' logic on the command line (Program.cpp).
#include "platform/HostSupport.h"
#include "tools/stem/Commands.h"

int main(int argc, char** argv)
{
    return stem::RunStem(stem::platform::ProgramArguments(argc, argv));
}
