#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"

#include "platform/Platform.h"

namespace stem {

namespace {
// The shell writes a MAX_PATH path; only what fits in 261 characters is taken.
constexpr size_t MaxFolderPathLength = 261;
}  // namespace

WideString GetSpecialFolderPath(int32_t csidl)
{
    WideString path;
    if (!platform::GetSpecialFolder(csidl, path))
        return WideString();
    return path.substr(0, MaxFolderPathLength);
}

}  // namespace stem
