#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"

#include "platform/Platform.h"

namespace stem {

namespace {
// The shell writes a MAX_PATH path; only what fits in 261 bytes is taken.
constexpr size_t MaxFolderPathBytes = 261;
}  // namespace

AnsiString GetSpecialFolderPath(int32_t csidl)
{
    AnsiString path;
    if (!platform::GetSpecialFolder(csidl, path))
        return AnsiString();
    return path.substr(0, MaxFolderPathBytes);
}

}  // namespace stem
