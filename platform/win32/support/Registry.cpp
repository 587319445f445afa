#include <windows.h>
#include <sddl.h>

#include "platform/HostSupport.h"
#include "platform/win32/WideText.h"

namespace stem {

namespace platform {

namespace {

bool SetRegistryValue(HKEY root, const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                      const std::string& data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, AsWin(Utf8ToWideReplacing(keyPath)), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status =
        RegSetValueExW(key, AsWin(Utf8ToWideReplacing(name)), 0, type,
                       reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace

bool SetUserRegistryValue(const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                          const std::string& data)
{
    return SetRegistryValue(HKEY_CURRENT_USER, keyPath, name, type, data);
}

bool DeleteUserRegistryTree(const Utf8String& keyPath)
{
    const LONG status = RegDeleteTreeW(HKEY_CURRENT_USER, AsWin(Utf8ToWideReplacing(keyPath)));
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Everyone may read the key; with full access given back, everyone may do anything with it.
bool SetUserKeyReadOnly(const Utf8String& keyPath, bool readOnly)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, AsWin(Utf8ToWideReplacing(keyPath)), 0, WRITE_DAC, &key) !=
        ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool done = false;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(
            readOnly ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)", SDDL_REVISION_1, &descriptor,
            nullptr)) {
        done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
        LocalFree(descriptor);
    }
    RegCloseKey(key);
    return done;
}

bool SetEnvironmentValue(const Utf8String& name, const WideString& value)
{
    return SetEnvironmentVariableW(AsWin(Utf8ToWideReplacing(name)),
                                   value.empty() ? nullptr : AsWin(value)) != 0;
}

bool SetMachineRegistryValue(const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                             const std::string& data)
{
    return SetRegistryValue(HKEY_LOCAL_MACHINE, keyPath, name, type, data);
}

bool DeleteMachineRegistryValue(const Utf8String& keyPath, const Utf8String& name)
{
    const LONG status = RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, AsWin(Utf8ToWideReplacing(keyPath)),
                                           AsWin(Utf8ToWideReplacing(name)));
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform

}  // namespace stem
