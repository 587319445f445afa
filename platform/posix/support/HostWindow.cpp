#include "platform/HostSupport.h"

namespace stem {

// In the stand-in a host window is the receiver itself.
namespace platform {

HostWindow CreateHostWindow(HostReceiver& receiver)
{
    return &receiver;
}

void DestroyHostWindow(HostWindow)
{
}

}  // namespace platform

}  // namespace stem
