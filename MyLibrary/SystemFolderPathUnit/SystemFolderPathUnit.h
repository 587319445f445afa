// Shell special folders by CSIDL number, and the names of the shell's folder keys.
#pragma once

#include <cstdint>

#include "base/Types.h"

namespace stem {

constexpr int32_t CSIDL_APPDATA = 26;        // the user's application-data folder
constexpr int32_t CSIDL_PROGRAM_FILES = 38;  // the Program Files folder

// The folder's path as the shell reports it (at most 261 bytes); empty when the shell knows no
// such folder. A missing folder is not created.
AnsiString GetSpecialFolderPath(int32_t csidl);

// The value names under the per-user and all-users shell-folder keys, and the CSIDL numbers by
// name. Reference data: kept for anyone reading those keys; the settings location needs only
// the two numbers above.
struct TSysUserFolderKey {
    const char* name;
};
struct TSysAllUserFolderKey {
    const char* name;
};
struct TSHSysFolderKey {
    int32_t csidl;
    const char* name;
};

extern const TSysUserFolderKey SysUserFolderKeys[20];
extern const TSysAllUserFolderKey SysAllUserFolderKeys[10];
extern const TSHSysFolderKey SHSysFolderKeys[30];

}  // namespace stem
