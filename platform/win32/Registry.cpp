// HKEY_CURRENT_USER, and the values of a key of HKEY_LOCAL_MACHINE, through the registry
// functions of advapi32.
#include <windows.h>

#include "platform/Platform.h"
#include "platform/win32/WideText.h"

namespace stem {

namespace {

HKEY AsHkey(platform::RegistryKey key)
{
    return static_cast<HKEY>(key);
}

}  // namespace

namespace platform {

RegistryKey OpenOrCreateUserKey(const Utf8String& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, AsWin(Utf8ToWideReplacing(path)), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

RegistryKey OpenUserKeyForReading(const Utf8String& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, AsWin(Utf8ToWideReplacing(path)), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

RegistryKey OpenSubKey(RegistryKey key, const Utf8String& name)
{
    HKEY subKey = nullptr;
    if (key == nullptr || RegOpenKeyExW(AsHkey(key), AsWin(Utf8ToWideReplacing(name)), 0, KEY_READ,
                                        &subKey) != ERROR_SUCCESS)
        return nullptr;
    return subKey;
}

// Asks for the size first, then reads; a value that grows in between is asked again.
bool QueryRegistryValue(RegistryKey key, const Utf8String& name, uint32_t& type, std::string& data)
{
    if (key == nullptr)
        return false;
    const WideString wideName = Utf8ToWideReplacing(name);
    DWORD valueType = 0;
    DWORD size = 0;
    LONG status =
        RegQueryValueExW(AsHkey(key), AsWin(wideName), nullptr, &valueType, nullptr, &size);
    std::string bytes;
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        bytes.resize(size);
        status = RegQueryValueExW(AsHkey(key), AsWin(wideName), nullptr, &valueType,
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

// The buffers start at the sizes the key reports; a value that grows while the key is read
// makes them larger, a few times at most.
std::vector<RegistryValue> ReadMachineKeyValues(const Utf8String& path)
{
    std::vector<RegistryValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, AsWin(Utf8ToWideReplacing(path)), 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return values;
    DWORD nameCapacity = 0;
    DWORD dataCapacity = 0;
    LONG status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, &nameCapacity, &dataCapacity, nullptr, nullptr);
    std::vector<wchar_t> name;
    std::string data;
    for (DWORD index = 0, retries = 0; status == ERROR_SUCCESS && retries < 4;) {
        name.resize(nameCapacity + 1);
        data.resize(dataCapacity);
        DWORD nameLength = nameCapacity + 1;
        DWORD dataLength = dataCapacity;
        DWORD type = 0;
        status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (status == ERROR_MORE_DATA) {
            nameCapacity = nameCapacity * 2 + 64;
            dataCapacity = dataLength > dataCapacity ? dataLength : dataCapacity * 2 + 64;
            status = ERROR_SUCCESS;
            ++retries;
        } else if (status == ERROR_SUCCESS) {
            values.push_back(
                {WideToUtf8(FromWin(name.data(), nameLength)), type, data.substr(0, dataLength)});
            ++index;
            retries = 0;
        }
    }
    RegCloseKey(key);
    return values;
}

}  // namespace platform

}  // namespace stem
