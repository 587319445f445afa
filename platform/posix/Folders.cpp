// The stand-in's shell folders: a table by CSIDL number that tests can change.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/posix/StandIn.h"

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

// Fills the buffer as far as the path goes; a path of 264 bytes or more leaves no NUL in it.
bool GetSpecialFolder(int csidl, char (&buffer)[264])
{
    const auto found = folders.find(csidl);
    if (found == folders.end())
        return false;
    const size_t length = std::min(found->second.size(), sizeof buffer);
    std::memcpy(buffer, found->second.data(), length);
    if (length < sizeof buffer)
        buffer[length] = '\0';
    return true;
}

}  // namespace platform
