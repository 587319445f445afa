#include "platform/HostSupport.h"
#include "platform/posix/RegistryTree.h"

namespace stem {

namespace platform {

bool SetUserRegistryValue(const AnsiString& keyPath, const AnsiString& name, uint32_t type,
                          const std::string& data)
{
    return standin::registry::WriteValue(keyPath, name, type, data);
}

bool DeleteUserRegistryTree(const AnsiString& keyPath)
{
    return standin::registry::DeleteTree(keyPath);
}

}  // namespace platform

}  // namespace stem
