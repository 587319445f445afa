// Windows version records: GetVersionExA imported directly, and the functions that older
// systems lack looked up by name in kernel32 at each call.
#include <windows.h>

#include <cstring>

#include "platform/Platform.h"

namespace stem {

namespace {

// kernel32 loaded by name for one query and released on every path out of it.
class Kernel32 {
public:
    Kernel32() : module_(LoadLibraryA("kernel32")) {}
    ~Kernel32()
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    Kernel32(const Kernel32&) = delete;
    Kernel32& operator=(const Kernel32&) = delete;

    // The named function as type F, or null when the library or the function is missing.
    template <typename F>
    F Find(const char* name) const
    {
        if (module_ == nullptr)
            return nullptr;
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

using GetVersionExFunction = BOOL(WINAPI*)(OSVERSIONINFOEXA*);
using GetNativeSystemInfoFunction = void(WINAPI*)(SYSTEM_INFO*);
using GetProductInfoFunction = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);

// OSVERSIONINFOA and OSVERSIONINFOEXA share these leading fields.
template <typename Info>
void CopyBasicFields(const Info& info, platform::VersionRecord& record)
{
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    static_assert(sizeof record.csdVersion == sizeof info.szCSDVersion, "same service-pack buffer");
    std::memcpy(record.csdVersion, info.szCSDVersion, sizeof record.csdVersion);
}

}  // namespace

namespace platform {

bool GetBasicVersion(VersionRecord& record)
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148
    if (!GetVersionExA(&info))
        return false;
    CopyBasicFields(info, record);
    return true;
}

bool QueryVersionInfoEx(VersionRecord& record)
{
    const Kernel32 kernel32;
    const auto getVersionEx = kernel32.Find<GetVersionExFunction>("GetVersionExA");
    if (getVersionEx == nullptr)
        return false;
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 156
    if (!getVersionEx(&info))
        return false;
    CopyBasicFields(info, record);
    record.servicePackMajor = info.wServicePackMajor;
    record.servicePackMinor = info.wServicePackMinor;
    record.suiteMask = info.wSuiteMask;
    record.productType = info.wProductType;
    return true;
}

bool QueryNativeSystemInfo(uint16_t& architecture)
{
    const Kernel32 kernel32;
    const auto getNativeSystemInfo =
        kernel32.Find<GetNativeSystemInfoFunction>("GetNativeSystemInfo");
    if (getNativeSystemInfo == nullptr)
        return false;
    SYSTEM_INFO info{};
    getNativeSystemInfo(&info);
    architecture = info.wProcessorArchitecture;
    return true;
}

uint32_t QueryProductType(uint32_t major, uint32_t minor, uint32_t spMajor, uint32_t spMinor)
{
    const Kernel32 kernel32;
    const auto getProductInfo = kernel32.Find<GetProductInfoFunction>("GetProductInfo");
    if (getProductInfo == nullptr)
        return 0;
    DWORD product = 0;
    getProductInfo(major, minor, spMajor, spMinor, &product);
    return product;
}

bool IsServerR2()
{
    return GetSystemMetrics(SM_SERVERR2) != 0;
}

}  // namespace platform

}  // namespace stem
