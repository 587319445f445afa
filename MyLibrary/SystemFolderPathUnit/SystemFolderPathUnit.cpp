#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"

#include "platform/Platform.h"

namespace stem {

namespace {
// The shell writes a MAX_PATH path; only what fits in 261 bytes is taken.
constexpr size_t MaxFolderPathBytes = 261;
}  // namespace

AnsiString GetSpecialFolderPath(int32_t csidl)
{
    AnsiString path;
    if (!platform::GetSpecialFolder(csidl, path))
        return AnsiString();
    return path.substr(0, MaxFolderPathBytes);
}

const TSysUserFolderKey SysUserFolderKeys[20] = {
    {"AppData"},       {"Cookies"},     {"Desktop"},   {"Favorites"}, {"NetHood"},
    {"Personal"},      {"My Pictures"}, {"PrintHood"}, {"Recent"},    {"SendTo"},
    {"Start Menu"},    {"Templates"},   {"Programs"},  {"Startup"},   {"Local Settings"},
    {"Local AppData"}, {"Cache"},       {"History"},   {"Fonts"},     {"Administrative Tools"},
};

const TSysAllUserFolderKey SysAllUserFolderKeys[10] = {
    {"Common Start Menu"}, {"Common Desktop"},   {"Common AppData"},
    {"Common Programs"},   {"Common Documents"}, {"Common Administrative Tools"},
    {"Common Startup"},    {"Common Templates"}, {"Personal"},
    {"Common Favorites"},
};

const TSHSysFolderKey SHSysFolderKeys[30] = {
    {29, "CSIDL_ALTSTARTUP"},
    {26, "CSIDL_APPDATA"},
    {10, "CSIDL_BITBUCKET"},
    {30, "CSIDL_COMMON_ALTSTARTUP"},
    {25, "CSIDL_COMMON_DESKTOPDIRECTORY"},
    {31, "CSIDL_COMMON_FAVORITES"},
    {23, "CSIDL_COMMON_PROGRAMS"},
    {22, "CSIDL_COMMON_STARTMENU"},
    {24, "CSIDL_COMMON_STARTUP"},
    {3, "CSIDL_CONTROLS"},
    {33, "CSIDL_COOKIES"},
    {0, "CSIDL_DESKTOP"},
    {16, "CSIDL_DESKTOPDIRECTORY"},
    {17, "CSIDL_DRIVES"},
    {6, "CSIDL_FAVORITES"},
    {20, "CSIDL_FONTS"},
    {34, "CSIDL_HISTORY"},
    {1, "CSIDL_INTERNET"},
    {32, "CSIDL_INTERNET_CACHE"},
    {19, "CSIDL_NETHOOD"},
    {18, "CSIDL_NETWORK"},
    {5, "CSIDL_PERSONAL"},
    {4, "CSIDL_PRINTERS"},
    {27, "CSIDL_PRINTHOOD"},
    {2, "CSIDL_PROGRAMS"},
    {8, "CSIDL_RECENT"},
    {9, "CSIDL_SENDTO"},
    {11, "CSIDL_STARTMENU"},
    {7, "CSIDL_STARTUP"},
    {21, "CSIDL_TEMPLATES"},
};

}  // namespace stem
