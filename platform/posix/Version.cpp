// The stand-in's version records: whatever the tests set, by default a Japanese Windows 7 SP1
// workstation on x64.
#include <cstring>

#include "platform/posix/StandIn.h"

namespace {

standin::VersionFacts currentFacts = standin::DefaultVersionFacts();

}  // namespace

namespace standin {

VersionFacts DefaultVersionFacts()
{
    VersionFacts facts;
    facts.record.majorVersion = 6;
    facts.record.minorVersion = 1;
    facts.record.buildNumber = 7601;
    facts.record.platformId = 2;
    std::strcpy(facts.record.csdVersion, "Service Pack 1");
    facts.record.servicePackMajor = 1;
    facts.record.suiteMask = 0x0100;  // VER_SUITE_SINGLEUSERTS, as a desktop reports
    facts.record.productType = 1;
    return facts;
}

void SetVersionFacts(const VersionFacts& facts)
{
    currentFacts = facts;
}

}  // namespace standin

namespace platform {

// The size-148 record holds no extended fields; those of the caller stay as they were.
bool GetBasicVersion(VersionRecord& record)
{
    if (!currentFacts.basicOk)
        return false;
    const VersionRecord& source = currentFacts.record;
    record.majorVersion = source.majorVersion;
    record.minorVersion = source.minorVersion;
    record.buildNumber = source.buildNumber;
    record.platformId = source.platformId;
    std::memcpy(record.csdVersion, source.csdVersion, sizeof record.csdVersion);
    return true;
}

bool QueryVersionInfoEx(VersionRecord& record)
{
    if (!currentFacts.hasVersionEx)
        return false;
    record = currentFacts.record;
    return true;
}

bool QueryNativeSystemInfo(uint16_t& architecture)
{
    if (!currentFacts.hasNativeSystemInfo)
        return false;
    architecture = currentFacts.architecture;
    return true;
}

uint32_t QueryProductType(uint32_t, uint32_t, uint32_t, uint32_t)
{
    return currentFacts.productNumber;
}

bool IsServerR2()
{
    return currentFacts.serverR2;
}

}  // namespace platform
