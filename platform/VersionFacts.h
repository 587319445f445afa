// The facts a Windows system gives about its version, held by value: the version name can be
// built for any system from them, and the stand-in answers its version queries with them.
#pragma once

#include <cstdint>
#include <cstring>

namespace stem {

namespace platform {

// The fields of OSVERSIONINFOEXA that the version name reads.
struct VersionRecord {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    char csdVersion[128] = {};
    uint16_t servicePackMajor = 0;
    uint16_t servicePackMinor = 0;
    uint16_t suiteMask = 0;
    uint8_t productType = 0;
};

// A system: its version record (the extended fields count only when hasVersionEx), and what
// each by-name query finds.
struct VersionFacts {
    bool basicOk = true;
    VersionRecord record;
    bool hasVersionEx = true;
    bool hasNativeSystemInfo = true;
    uint16_t architecture = 0;   // 6 = Itanium, 9 = x64
    uint32_t productNumber = 0;  // 0 = GetProductInfo missing or the number undefined
    bool serverR2 = false;       // GetSystemMetrics(SM_SERVERR2)

    // The answers the system gives, as the queries in Platform.h give them: the basic record
    // (size 148) fills the basic fields only; a missing query leaves the caller's data as it was.
    bool BasicVersion(VersionRecord& basic) const
    {
        if (!basicOk)
            return false;
        basic.majorVersion = record.majorVersion;
        basic.minorVersion = record.minorVersion;
        basic.buildNumber = record.buildNumber;
        basic.platformId = record.platformId;
        std::memcpy(basic.csdVersion, record.csdVersion, sizeof basic.csdVersion);
        return true;
    }
    bool ExtendedVersion(VersionRecord& extended) const
    {
        if (hasVersionEx)
            extended = record;
        return hasVersionEx;
    }
    bool NativeArchitecture(uint16_t& native) const
    {
        if (hasNativeSystemInfo)
            native = architecture;
        return hasNativeSystemInfo;
    }
};

}  // namespace platform

}  // namespace stem
