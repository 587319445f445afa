// The stand-in's in-memory HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, shared by the seam (reading)
// and the host support (writing values for tests and `stem`).
#pragma once

#include <cstdint>
#include <string>

#include "base/Types.h"

namespace stem {

namespace standin::registry {

enum class Root { CurrentUser, LocalMachine };

// Creates the key path as needed and stores the value. False for an unusable path.
bool WriteValue(Root root, const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                const std::string& data);

// A key that may be read but not opened with full access (made read-only by policy): its
// OpenOrCreateUserKey fails, OpenUserKeyForReading succeeds. False for a missing key.
bool SetReadOnly(Root root, const Utf8String& keyPath, bool readOnly);

// Removes the value. True when it is gone (also when it never existed).
bool DeleteValue(Root root, const Utf8String& keyPath, const Utf8String& name);

// Removes the key and everything below it. True when it is gone (also when it never existed).
bool DeleteTree(Root root, const Utf8String& keyPath);

}  // namespace standin::registry

}  // namespace stem
