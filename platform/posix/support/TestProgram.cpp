#include "platform/HostSupport.h"

namespace stem {

// Nothing stands in the way of a test program natively.
void platform::PrepareTestProgram()
{
}

}  // namespace stem
