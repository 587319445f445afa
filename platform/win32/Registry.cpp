// HKEY_CURRENT_USER through the registry functions of advapi32.
#include <windows.h>

#include "platform/Platform.h"

namespace stem {

namespace {

HKEY AsHkey(platform::RegistryKey key)
{
    return static_cast<HKEY>(key);
}

}  // namespace

namespace platform {

RegistryKey OpenOrCreateUserKey(const AnsiString& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

RegistryKey OpenSubKey(RegistryKey key, const AnsiString& name)
{
    HKEY subKey = nullptr;
    if (key == nullptr ||
        RegOpenKeyExA(AsHkey(key), name.c_str(), 0, KEY_READ, &subKey) != ERROR_SUCCESS)
        return nullptr;
    return subKey;
}

// Asks for the size first, then reads; a value that grows in between is asked again.
bool QueryRegistryValue(RegistryKey key, const AnsiString& name, uint32_t& type, std::string& data)
{
    if (key == nullptr)
        return false;
    DWORD valueType = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(AsHkey(key), name.c_str(), nullptr, &valueType, nullptr, &size);
    std::string bytes;
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        bytes.resize(size);
        status = RegQueryValueExA(AsHkey(key), name.c_str(), nullptr, &valueType,
                                  reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_SUCCESS) {
            bytes.resize(size);
            type = valueType;
            data = bytes;
            return true;
        }
    }
    return false;
}

void CloseRegistryKey(RegistryKey key)
{
    if (key != nullptr)
        RegCloseKey(AsHkey(key));
}

}  // namespace platform

}  // namespace stem
