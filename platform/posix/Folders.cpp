// The stand-in's shell folders: a table by CSIDL number that tests can change.
#include <cstdlib>
#include <map>

#include "platform/posix/StandIn.h"

namespace stem {

namespace {

std::map<int, AnsiString> DefaultFolders()
{
    const char* user = std::getenv("USER");
    const AnsiString userName = user != nullptr && *user != '\0' ? user : "user";
    return {
        {38, "C:\\Program Files"},
        {26, "C:\\Users\\" + userName + "\\AppData\\Roaming"},
    };
}

std::map<int, AnsiString> folders = DefaultFolders();

}  // namespace

namespace standin {

void SetSpecialFolder(int csidl, const AnsiString& path)
{
    folders[csidl] = path;
}

void ResetSpecialFolders()
{
    folders = DefaultFolders();
}

}  // namespace standin

namespace platform {

bool GetSpecialFolder(int csidl, AnsiString& path)
{
    const auto found = folders.find(csidl);
    if (found == folders.end())
        return false;
    path = found->second.substr(0, found->second.find('\0'));
    return true;
}

}  // namespace platform

}  // namespace stem
