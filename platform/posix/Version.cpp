// The stand-in's version records: whatever the tests set, by default a Japanese Windows 7 SP1
// workstation on x64.
#include <cstring>

#include "platform/posix/StandIn.h"

namespace stem {

namespace {

platform::VersionFacts currentFacts = standin::DefaultVersionFacts();

}  // namespace

namespace standin {

platform::VersionFacts DefaultVersionFacts()
{
    platform::VersionFacts facts;
    facts.record.majorVersion = 6;
    facts.record.minorVersion = 1;
    facts.record.buildNumber = 7601;
    facts.record.platformId = 2;
    std::strcpy(facts.record.csdVersion, "Service Pack 1");
    facts.record.servicePackMajor = 1;
    facts.record.suiteMask = 0x0100;  // VER_SUITE_SINGLEUSERTS, as a desktop reports
    facts.record.productType = 1;
    facts.architecture = 9;
    facts.productNumber = 1;
    return facts;
}

void SetVersionFacts(const platform::VersionFacts& facts)
{
    currentFacts = facts;
}

}  // namespace standin

namespace platform {

bool GetBasicVersion(VersionRecord& record)
{
    return currentFacts.BasicVersion(record);
}

bool QueryVersionInfoEx(VersionRecord& record)
{
    return currentFacts.ExtendedVersion(record);
}

bool QueryNativeSystemInfo(uint16_t& architecture)
{
    return currentFacts.NativeArchitecture(architecture);
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

}  // namespace stem
