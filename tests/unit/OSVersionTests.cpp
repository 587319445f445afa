#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "platform/Platform.h"

namespace stem {

namespace {

constexpr uint16_t Itanium = 6;
constexpr uint16_t X64 = 9;
constexpr uint16_t X86 = 0;

// One system: platform id, version, build, service-pack text, product type, suite mask,
// architecture, product number, R2 flag.
struct SystemCase {
    uint32_t platformId;
    uint32_t major;
    uint32_t minor;
    uint32_t build;
    const char* csd;
    uint8_t productType;
    uint16_t suiteMask;
    uint16_t architecture;
    uint32_t productNumber;
    bool serverR2;
    const char* expected;
};

platform::VersionFacts FactsOf(const SystemCase& system)
{
    platform::VersionFacts facts;
    facts.record.platformId = system.platformId;
    facts.record.majorVersion = system.major;
    facts.record.minorVersion = system.minor;
    facts.record.buildNumber = system.build;
    std::strncpy(facts.record.csdVersion, system.csd, sizeof facts.record.csdVersion - 1);
    facts.record.productType = system.productType;
    facts.record.suiteMask = system.suiteMask;
    facts.architecture = system.architecture;
    facts.productNumber = system.productNumber;
    facts.serverR2 = system.serverR2;
    return facts;
}

void ExpectNames(const std::vector<SystemCase>& systems)
{
    for (const SystemCase& system : systems)
        EXPECT_EQ(BuildWindowsVersionName(FactsOf(system)), system.expected)
            << "platform " << system.platformId << ", " << system.major << "." << system.minor
            << " build " << system.build << " product type " << int(system.productType)
            << " product number " << system.productNumber;
}

TEST(WindowsVersionName, Win32sAndThe9xReleasesByBuild)
{
    ExpectNames({
        {0, 3, 11, 0, "", 0, 0, X86, 0, false, "Windows3.11(Win32s)"},
        {1, 4, 0, 950, "", 0, 0, X86, 0, false, "Windows95"},
        {1, 4, 0, 1110, "", 0, 0, X86, 0, false, "Windows95"},
        {1, 4, 0, 1111, "", 0, 0, X86, 0, false, "Windows95 OSR2"},
        {1, 4, 0, 1212, "", 0, 0, X86, 0, false, "Windows95 OSR2.1"},
        {1, 4, 0, 1213, "", 0, 0, X86, 0, false, "Windows95 OSR2.1"},
        {1, 4, 0, 1214, "", 0, 0, X86, 0, false, "Windows95 OSR2.5"},
        {1, 4, 0, 9999, "", 0, 0, X86, 0, false, "Windows95 OSR2.5"},
        {1, 4, 0, 10000, "", 0, 0, X86, 0, false, "Windows95"},
        // The 9x builds carry the version in the high word; only the low 16 bits count.
        {1, 4, 0, 0x040004BC, " B ", 0, 0, X86, 0, false, "Windows95 OSR2.1 [B]"},
        {1, 4, 10, 1998, "", 0, 0, X86, 0, false, "Windows98"},
        {1, 4, 10, 2221, "", 0, 0, X86, 0, false, "Windows98"},
        {1, 4, 10, 2222, " A ", 0, 0, X86, 0, false, "Windows98 Second Edition [A]"},
        {1, 4, 10, 9999, "", 0, 0, X86, 0, false, "Windows98 Second Edition"},
        {1, 4, 10, 10000, "", 0, 0, X86, 0, false, "Windows98"},
        {1, 4, 90, 3000, "", 0, 0, X86, 0, false, "WindowsMe"},
        {1, 4, 20, 3000, "", 0, 0, X86, 0, false, "Windows"},
        {3, 6, 1, 7601, "", 1, 0, X64, 1, false, "Windows"},
    });
}

TEST(WindowsVersionName, Nt5Releases)
{
    ExpectNames({
        {2, 5, 0, 2195, "Service Pack 4", 1, 0, X86, 0, false,
         "Windows2000 Professional [Service Pack 4]"},
        {2, 5, 0, 2195, "", 2, 0, X86, 0, false, "Windows2000 Server"},
        {2, 5, 0, 2195, "", 3, 0, X86, 0, false, "Windows2000 Server"},
        {2, 5, 1, 2600, "Service Pack 3", 1, 0x0200, X86, 0, false,
         "WindowsXP Home Edition [Service Pack 3]"},
        {2, 5, 1, 2600, "", 1, 0x0100, X86, 0, false, "WindowsXP Professional"},
        {2, 5, 1, 2600, "", 3, 0, X86, 0, false, "WindowsServer 2003"},
        {2, 5, 2, 3790, "Service Pack 2", 1, 0, X64, 0, false,
         "WindowsXP Professional x64 Edition [Service Pack 2]"},
        {2, 5, 2, 3790, "", 1, 0, X86, 0, false, "WindowsNT5.2 WorkStation"},
        {2, 5, 2, 3790, "", 1, 0, Itanium, 0, false, "WindowsNT5.2 WorkStation"},
        {2, 5, 2, 3790, "", 0, 0, X86, 0, false, "WindowsNT5.2 Server"},
        {2, 5, 2, 3790, "", 4, 0, X64, 0, false, "WindowsNT5.2 Server"},
        // No release is known as 5.3: nothing after "Windows".
        {2, 5, 3, 4000, "", 1, 0, X86, 0, false, "Windows"},
    });
}

TEST(WindowsVersionName, Server2003EditionsByArchitectureAndSuite)
{
    ExpectNames({
        {2, 5, 2, 3790, "", 3, 0x0080, Itanium, 0, false,
         "WindowsServer 2003 Datacenter Edition for Itanium-based Systems"},
        {2, 5, 2, 3790, "", 3, 0x0082, Itanium, 0, false,
         "WindowsServer 2003 Datacenter Edition for Itanium-based Systems"},
        {2, 5, 2, 3790, "", 3, 0x0002, Itanium, 0, false,
         "WindowsServer 2003 Enterprise Edition for Itanium-based Systems"},
        {2, 5, 2, 3790, "", 3, 0x0400, Itanium, 0, false,
         "WindowsServer 2003 Standard Edition for Itanium-based Systems"},
        {2, 5, 2, 3790, "", 3, 0, Itanium, 0, false,
         "WindowsServer 2003 Standard Edition for Itanium-based Systems"},
        {2, 5, 2, 3790, "", 2, 0x0080, X64, 0, false, "WindowsServer 2003 Datacenter x64 Edition"},
        {2, 5, 2, 3790, "", 2, 0x0002, X64, 0, false, "WindowsServer 2003 Enterprise x64 Edition"},
        {2, 5, 2, 3790, "", 2, 0x0400, X64, 0, false, "WindowsServer 2003 Standard x64 Edition"},
        {2, 5, 2, 3790, "", 2, 0, X64, 0, false, "WindowsServer 2003 Standard x64 Edition"},
        {2, 5, 2, 3790, "", 3, 0x0480, X86, 0, false, "WindowsServer 2003 Datacenter Edition"},
        {2, 5, 2, 3790, "", 3, 0x0402, X86, 0, false, "WindowsServer 2003 Enterprise Edition"},
        {2, 5, 2, 3790, "", 3, 0x0400, X86, 0, false, "WindowsServer 2003 Web Edition"},
        {2, 5, 2, 3790, "", 3, 0x0010, X86, 0, false, "WindowsServer 2003 Standard Edition"},
        {2, 5, 2, 3790, "Service Pack 2", 3, 0, X86, 0, true,
         "WindowsServer 2003 R2 Standard Edition [Service Pack 2]"},
        {2, 5, 2, 3790, "", 2, 0x0002, X64, 0, true,
         "WindowsServer 2003 R2 Enterprise x64 Edition"},
    });
}

TEST(WindowsVersionName, VistaAndSevenWorkstationEditions)
{
    ExpectNames({
        {2, 6, 0, 6002, "Service Pack 2", 1, 0, X64, 1, false,
         "Windows Vista Ultimate(x64) [Service Pack 2]"},
        {2, 6, 0, 6000, "", 1, 0, X86, 2, false, "Windows Vista Home Basic"},
        {2, 6, 0, 6000, "", 1, 0, X86, 3, false, "Windows Vista Home Premium"},
        {2, 6, 0, 6000, "", 1, 0, X86, 4, false, "Windows Vista Business"},
        {2, 6, 0, 6000, "", 1, 0, X86, 5, false, "Windows Vista Home Basic N"},
        {2, 6, 0, 6000, "", 1, 0, X86, 6, false, "Windows Vista Business"},
        {2, 6, 0, 6000, "", 1, 0, X86, 11, false, "Windows Vista Starter Edition"},
        {2, 6, 0, 6000, "", 1, 0, Itanium, 16, false, "Windows Vista Business N(IA64)"},
        {2, 6, 1, 7601, "Service Pack 1", 1, 0, X64, 1, false,
         "Windows 7 Ultimate(x64) [Service Pack 1]"},
        {2, 6, 1, 7600, "", 1, 0, X86, 4, false, "Windows 7 Business"},
        {2, 6, 1, 7600, "", 1, 0, X86, 6, false, "Windows 7 Business"},
        // Server product numbers name no workstation edition.
        {2, 6, 1, 7600, "", 1, 0, X64, 7, false, "Windows 7 (x64)"},
        {2, 6, 1, 7600, "", 1, 0, X86, 0, false, "Windows 7 "},
        {2, 6, 1, 7600, "", 1, 0, X86, 99, false, "Windows 7 "},
    });
}

TEST(WindowsVersionName, Server2008Editions)
{
    const char* const editions[] = {
        "Standard Edition",                              // 7
        "Datacenter Edition",                            // 8
        "Small Business Server",                         // 9
        "Enterprise Edition",                            // 10
        nullptr,                                         // 11, a workstation edition
        "Datacenter Edition(Core)",                      // 12
        "Standard Edition(Core)",                        // 13
        "Enterprise Edition(Core)",                      // 14
        "Enterprise Edition for Itanium-based Systems",  // 15
        nullptr,                                         // 16, a workstation edition
        "Web Server Edition",                            // 17
        "Cluster Server Edition",                        // 18
        "Home Server Edition",                           // 19
        "Storage Server Express Edition",                // 20
        "Storage Server Standard Edition",               // 21
        "Storage Server Workgroup Edition",              // 22
        "Storage Server Enterprise Edition",             // 23
        "for Small Business Edition",                    // 24
        "Small Business Server Premium Edition",         // 25
    };
    std::vector<SystemCase> systems;
    std::vector<std::string> names;
    names.reserve(2 * std::size(editions));
    for (uint32_t number = 7; number <= 25; ++number) {
        const char* edition = editions[number - 7];
        const std::string text = edition != nullptr ? edition : "";
        names.push_back("WindowsServer 2008 " + text);
        systems.push_back({2, 6, 0, 6001, "", 3, 0, X86, number, false, names.back().c_str()});
        names.push_back("WindowsServer 2008 R2 " + text + "(x64)");
        systems.push_back({2, 6, 1, 7600, "", 2, 0, X64, number, false, names.back().c_str()});
    }
    ExpectNames(systems);
    ExpectNames({
        {2, 6, 1, 7601, "Service Pack 1", 3, 0, Itanium, 8, false,
         "WindowsServer 2008 R2 Datacenter Edition(IA64) [Service Pack 1]"},
        {2, 6, 0, 6001, "", 3, 0, X86, 1, false, "WindowsServer 2008 "},
        {2, 6, 0, 6001, "", 3, 0, X86, 0, false, "WindowsServer 2008 "},
        {2, 6, 0, 6001, "", 0, 0, X64, 26, false, "WindowsServer 2008 (x64)"},
    });
}

TEST(WindowsVersionName, GenericNtStep)
{
    ExpectNames({
        {2, 6, 2, 9200, "", 1, 0, X64, 48, false, "WindowsNT6.2 WorkStation"},
        {2, 6, 3, 9600, "", 3, 0, X64, 7, false, "WindowsNT6.3 Server"},
        {2, 10, 0, 19045, "", 1, 0, X64, 48, false, "WindowsNT10.0 WorkStation"},
        {2, 7, 0, 1, "", 1, 0, X86, 0, false, "WindowsNT7.0 WorkStation"},
        {2, 3, 51, 1057, "", 1, 0, X86, 0, false, "WindowsNT3.51 "},
        {2, 3, 51, 1057, "Service Pack 5", 1, 0, X86, 0, false, "WindowsNT3.51  [Service Pack 5]"},
        // NT 4.0 before service pack 6 has no extended record: two spaces before the bracket.
        {2, 4, 0, 1381, "Service Pack 5", 1, 0, X86, 0, false, "WindowsNT4.0  [Service Pack 5]"},
        {2, 4, 0, 1381, "", 1, 0, X86, 0, false, "WindowsNT4.0 "},
        {2, 4, 0, 1381, "Service Pack 6", 1, 0, X86, 0, false,
         "WindowsNT4.0 WorkStation [Service Pack 6]"},
        {2, 4, 0, 1381, "Service Pack 6a", 3, 0, X86, 0, false,
         "WindowsNT4.0 Server [Service Pack 6a]"},
    });
}

TEST(WindowsVersionName, ServicePackTextIsTrimmedAndBlankMeansNone)
{
    ExpectNames({
        {2, 6, 1, 7601, "   ", 1, 0, X64, 1, false, "Windows 7 Ultimate(x64)"},
        {2, 6, 1, 7601, "\t\r\n ", 1, 0, X64, 1, false, "Windows 7 Ultimate(x64)"},
        {2, 6, 1, 7601, "  Service Pack 1\t", 1, 0, X64, 1, false,
         "Windows 7 Ultimate(x64) [Service Pack 1]"},
        {2, 6, 1, 7601, "SP 1\x01", 1, 0, X64, 1, false, "Windows 7 Ultimate(x64) [SP 1]"},
        // Text in the ANSI code page (932 here), whose bytes are above 0x20, is decoded.
        {2, 6, 1, 7601, "\x83T\x81[\x83r\x83X", 1, 0, X86, 1, false,
         "Windows 7 Ultimate [サービス]"},
    });
}

TEST(WindowsVersionName, ServicePackTextWithoutNulStopsAtItsBuffer)
{
    platform::VersionFacts facts;
    facts.record.platformId = 2;
    facts.record.majorVersion = 6;
    facts.record.minorVersion = 1;
    facts.record.productType = 1;
    facts.productNumber = 1;
    std::memset(facts.record.csdVersion, 'x', sizeof facts.record.csdVersion);
    EXPECT_EQ(BuildWindowsVersionName(facts), "Windows 7 Ultimate [" + std::string(128, 'x') + "]");
}

TEST(WindowsVersionName, FailedBasicQueryGivesEmptyName)
{
    platform::VersionFacts facts;
    facts.basicOk = false;
    facts.record.platformId = 2;
    facts.record.majorVersion = 6;
    facts.record.minorVersion = 1;
    EXPECT_EQ(BuildWindowsVersionName(facts), "");
}

// Without the by-name queries the builder works from a zeroed extended record, no
// architecture and no product number.
TEST(WindowsVersionName, MissingQueriesReadAsZeroedRecords)
{
    const SystemCase systems[] = {
        {2, 6, 1, 7601, "Service Pack 1", 1, 0, X64, 1, false,
         "WindowsServer 2008 R2  [Service Pack 1]"},
        {2, 6, 0, 6002, "", 1, 0, X64, 1, false, "WindowsServer 2008 "},
        {2, 5, 1, 2600, "", 1, 0x0200, X86, 0, false, "WindowsServer 2003"},
        {2, 5, 2, 3790, "", 1, 0, X64, 0, false, "WindowsNT5.2 Server"},
        {2, 4, 0, 1381, "Service Pack 6", 1, 0, X86, 0, false,
         "WindowsNT4.0 Server [Service Pack 6]"},
    };
    for (const SystemCase& system : systems) {
        platform::VersionFacts facts = FactsOf(system);
        facts.hasVersionEx = false;
        facts.hasNativeSystemInfo = false;
        facts.productNumber = 0;
        EXPECT_EQ(BuildWindowsVersionName(facts), system.expected);
    }

    platform::VersionFacts noArchitecture = FactsOf({2, 6, 1, 7601, "", 1, 0, X64, 4, false, ""});
    noArchitecture.hasNativeSystemInfo = false;
    EXPECT_EQ(BuildWindowsVersionName(noArchitecture), "Windows 7 Business");
    platform::VersionFacts noProduct = FactsOf({2, 6, 0, 6002, "", 1, 0, X64, 0, false, ""});
    EXPECT_EQ(BuildWindowsVersionName(noProduct), "Windows Vista (x64)");
}

// Records which questions the builder asked.
class RecordingQueries : public TVersionQueries {
public:
    explicit RecordingQueries(const platform::VersionFacts& facts) : facts_(facts) {}
    std::string asked;

    bool BasicVersion(platform::VersionRecord& record) override
    {
        asked += "B";
        record = facts_.record;
        return true;
    }
    void ExtendedVersion(platform::VersionRecord& record) override
    {
        asked += "E";
        record = facts_.record;
    }
    void NativeArchitecture(uint16_t& architecture) override
    {
        asked += "N";
        architecture = facts_.architecture;
    }
    uint32_t ProductType(uint32_t major, uint32_t minor) override
    {
        asked += "P" + std::to_string(major) + std::to_string(minor);
        return facts_.productNumber;
    }
    bool ServerR2() override
    {
        asked += "R";
        return facts_.serverR2;
    }

private:
    platform::VersionFacts facts_;
};

TEST(WindowsVersionName, AsksOnlyWhatTheRowReads)
{
    struct Case {
        SystemCase system;
        const char* asked;
    };
    const Case cases[] = {
        {{1, 4, 10, 2222, "", 0, 0, X86, 0, false, ""}, "B"},
        {{2, 4, 0, 1381, "Service Pack 5", 1, 0, X86, 0, false, ""}, "B"},
        {{2, 4, 0, 1381, "Service Pack 6", 1, 0, X86, 0, false, ""}, "BE"},
        {{2, 5, 1, 2600, "", 1, 0, X86, 0, false, ""}, "BE"},
        {{2, 5, 2, 3790, "", 1, 0, X64, 0, false, ""}, "BEN"},
        {{2, 5, 2, 3790, "", 3, 0, X64, 0, false, ""}, "BENR"},
        {{2, 5, 2, 3790, "", 1, 0, X86, 0, false, ""}, "BENE"},
        {{2, 6, 1, 7601, "", 1, 0, X64, 1, false, ""}, "BEP61N"},
        {{2, 6, 0, 6002, "", 3, 0, X64, 8, false, ""}, "BEP60N"},
        {{2, 6, 2, 9200, "", 1, 0, X64, 48, false, ""}, "BEE"},
    };
    for (const Case& c : cases) {
        RecordingQueries queries(FactsOf(c.system));
        BuildWindowsVersionName(queries);
        EXPECT_EQ(queries.asked, c.asked) << c.system.major << "." << c.system.minor;
    }
}

// Only the three supported releases are recognised by the settings location.
TEST(WindowsVersionName, MoveMarkersAppearOnlyForVistaSevenAndServer2008)
{
    struct Case {
        SystemCase system;
        const char* marker;  // null: none of the three
    };
    const Case cases[] = {
        {{2, 6, 0, 6002, "", 1, 0, X86, 0, false, ""}, "Windows Vista"},
        {{2, 6, 1, 7601, "", 1, 0, X86, 0, false, ""}, "Windows 7"},
        {{2, 6, 0, 6002, "", 3, 0, X86, 0, false, ""}, "WindowsServer 2008"},
        {{2, 6, 1, 7601, "", 3, 0, X86, 0, false, ""}, "WindowsServer 2008"},
        {{2, 6, 2, 9200, "", 1, 0, X64, 48, false, ""}, nullptr},
        {{2, 5, 2, 3790, "", 3, 0, X86, 0, true, ""}, nullptr},
        {{1, 4, 10, 2222, "", 0, 0, X86, 0, false, ""}, nullptr},
    };
    for (const Case& c : cases) {
        const std::string name = BuildWindowsVersionName(FactsOf(c.system));
        int found = 0;
        for (const char* marker : {"Windows Vista", "Windows 7", "WindowsServer 2008"}) {
            if (name.find(marker) == std::string::npos)
                continue;
            ++found;
            if (c.marker != nullptr) {
                EXPECT_STREQ(marker, c.marker) << name;
            }
        }
        EXPECT_EQ(found, c.marker != nullptr ? 1 : 0) << name;
    }
}

// The running system's name comes from the same builder over the records the platform gives.
TEST(WindowsVersionName, RunningSystemMatchesItsRecords)
{
    platform::VersionRecord basic;
    ASSERT_TRUE(platform::GetBasicVersion(basic));
    platform::VersionFacts facts;
    facts.record = basic;
    facts.hasVersionEx = platform::QueryVersionInfoEx(facts.record);
    facts.hasNativeSystemInfo = platform::QueryNativeSystemInfo(facts.architecture);
    facts.productNumber = platform::QueryProductType(basic.majorVersion, basic.minorVersion, 0, 0);
    facts.serverR2 = platform::IsServerR2();

    EXPECT_TRUE(facts.hasVersionEx);
    EXPECT_TRUE(facts.hasNativeSystemInfo);
    EXPECT_EQ(facts.record.platformId, 2u);
    EXPECT_EQ(facts.record.majorVersion, basic.majorVersion);
    const Utf8String name = GetWindowsVersionName();
    EXPECT_EQ(name.rfind("Windows", 0), 0u) << name;
    EXPECT_EQ(name, BuildWindowsVersionName(facts));
}

}  // namespace

}  // namespace stem
