// Shell special folders by CSIDL number.
#pragma once

#include <cstdint>

#include "base/Types.h"

namespace stem {

constexpr int32_t CSIDL_APPDATA = 26;
constexpr int32_t CSIDL_PROGRAM_FILES = 38;

// The folder's path as the shell reports it (at most 261 characters); empty when the shell
// knows no such folder. A missing folder is not created.
WideString GetSpecialFolderPath(int32_t csidl);

}  // namespace stem
