#include "platform/HostSupport.h"
#include "platform/posix/RegistryTree.h"
#include "platform/posix/StandIn.h"

namespace stem {

namespace platform {

using standin::registry::Root;

bool SetUserRegistryValue(const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                          const std::string& data)
{
    return standin::registry::WriteValue(Root::CurrentUser, keyPath, name, type, data);
}

bool DeleteUserRegistryTree(const Utf8String& keyPath)
{
    return standin::registry::DeleteTree(Root::CurrentUser, keyPath);
}

bool SetUserKeyReadOnly(const Utf8String& keyPath, bool readOnly)
{
    return standin::registry::SetReadOnly(Root::CurrentUser, keyPath, readOnly);
}

bool SetEnvironmentValue(const Utf8String& name, const WideString& value)
{
    standin::SetEnvironmentVariable(name, value);
    return true;
}

bool SetMachineRegistryValue(const Utf8String& keyPath, const Utf8String& name, uint32_t type,
                             const std::string& data)
{
    return standin::registry::WriteValue(Root::LocalMachine, keyPath, name, type, data);
}

bool DeleteMachineRegistryValue(const Utf8String& keyPath, const Utf8String& name)
{
    return standin::registry::DeleteValue(Root::LocalMachine, keyPath, name);
}

}  // namespace platform

}  // namespace stem
