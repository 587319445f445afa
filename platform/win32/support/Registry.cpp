#include <windows.h>
#include <sddl.h>

#include "platform/HostSupport.h"

namespace stem {

namespace platform {

namespace {

bool SetRegistryValue(HKEY root, const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                      const std::string& data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status =
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace

bool SetUserRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                          const std::string& data)
{
    return SetRegistryValue(HKEY_CURRENT_USER, keyPath, name, type, data);
}

bool DeleteUserRegistryTree(const AnsiString& keyPath)
{
    const LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Everyone may read the key; with full access given back, everyone may do anything with it.
bool SetUserKeyReadOnly(const AnsiString& keyPath, bool readOnly)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
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

bool SetEnvironmentValue(const AnsiString& name, const AnsiString& value)
{
    return SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str()) != 0;
}

bool SetMachineRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                             const std::string& data)
{
    return SetRegistryValue(HKEY_LOCAL_MACHINE, keyPath, name, type, data);
}

bool DeleteMachineRegistryValue(const AnsiString& keyPath, const AnsiString& name)
{
    const LONG status = RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace platform

}  // namespace stem
