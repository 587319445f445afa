// The stand-in's in-memory HKEY_CURRENT_USER, shared by the seam (reading) and the host
// support (writing values for tests and `stem`).
#pragma once

#include <cstdint>
#include <string>

#include "base/Types.h"

namespace stem {

namespace standin::registry {

// Creates the key path as needed and stores the value. False for an unusable path.
bool WriteValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                const std::string& data);

// Removes the key and everything below it. True when it is gone (also when it never existed).
bool DeleteTree(const AnsiString& keyPath);

}  // namespace standin::registry

}  // namespace stem
