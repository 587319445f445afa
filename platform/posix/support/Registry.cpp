#include "platform/HostSupport.h"
#include "platform/posix/RegistryTree.h"
#include "platform/posix/StandIn.h"

namespace stem {

namespace platform {

using standin::registry::Root;

bool SetUserRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                          const std::string& data)
{
    return standin::registry::WriteValue(Root::CurrentUser, keyPath, name, type, data);
}

bool DeleteUserRegistryTree(const AnsiString& keyPath)
{
    return standin::registry::DeleteTree(Root::CurrentUser, keyPath);
}

bool SetUserKeyReadOnly(const AnsiString& keyPath, bool readOnly)
{
    return standin::registry::SetReadOnly(Root::CurrentUser, keyPath, readOnly);
}

bool SetEnvironmentValue(const AnsiString& name, const AnsiString& value)
{
    standin::SetEnvironmentVariable(name, value);
    return true;
}

bool SetMachineRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                             const std::string& data)
{
    return standin::registry::WriteValue(Root::LocalMachine, keyPath, name, type, data);
}

bool DeleteMachineRegistryValue(const AnsiString& keyPath, const AnsiString& name)
{
    return standin::registry::DeleteValue(Root::LocalMachine, keyPath, name);
}

}  // namespace platform

}  // namespace stem
