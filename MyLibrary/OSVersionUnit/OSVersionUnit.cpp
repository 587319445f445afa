#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"

#include <cstring>
#include <optional>

#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"

namespace stem {

namespace {

using platform::VersionRecord;

constexpr uint32_t PlatformWin32s = 0;
constexpr uint32_t PlatformWindows = 1;
constexpr uint32_t PlatformNT = 2;

constexpr uint8_t ProductWorkstation = 1;
constexpr uint8_t ProductDomainController = 2;
constexpr uint8_t ProductServer = 3;

constexpr uint16_t SuiteEnterprise = 0x0002;
constexpr uint16_t SuiteDatacenter = 0x0080;
constexpr uint16_t SuitePersonal = 0x0200;
constexpr uint16_t SuiteWeb = 0x0400;

constexpr uint16_t ArchitectureItanium = 6;
constexpr uint16_t ArchitectureX64 = 9;

// Decimal text of a version field as "%d" prints it.
Utf8String Number(uint32_t value)
{
    return std::to_string(static_cast<int32_t>(value));
}

// The service-pack text up to its NUL, without the blanks and controls around it, decoded from
// the ANSI code page that GetVersionExA gives it in.
Utf8String ServicePackText(const VersionRecord& record)
{
    const char* text = record.csdVersion;
    size_t end = strnlen(text, sizeof record.csdVersion);
    size_t begin = 0;
    while (begin < end && IsBlankCode(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && IsBlankCode(static_cast<unsigned char>(text[end - 1])))
        --end;
    const std::string bytes(text + begin, end - begin);
    return WideToUtf8(platform::DecodeText(platform::AnsiCodePage(), bytes));
}

Utf8String Windows9xRelease(const VersionRecord& record)
{
    const uint16_t build = static_cast<uint16_t>(record.buildNumber & 0xFFFF);
    switch (record.minorVersion) {
    case 0:
        if (build == 1111)
            return "95 OSR2";
        if (build == 1212 || build == 1213)
            return "95 OSR2.1";
        if (build >= 1214 && build <= 9999)
            return "95 OSR2.5";
        return "95";
    case 10:
        if (build >= 2222 && build <= 9999)
            return "98 Second Edition";
        return "98";
    case 90: return "Me";
    default: return "";
    }
}

// ---- Edition tables ----

struct Server2003Editions {
    const char* datacenter;
    const char* enterprise;
    const char* web;  // null: the web edition bit is not tested
    const char* standard;
};

const Server2003Editions Server2003Itanium = {
    "Datacenter Edition for Itanium-based Systems", "Enterprise Edition for Itanium-based Systems",
    nullptr, "Standard Edition for Itanium-based Systems"};
const Server2003Editions Server2003X64 = {"Datacenter x64 Edition", "Enterprise x64 Edition",
                                          nullptr, "Standard x64 Edition"};
const Server2003Editions Server2003X86 = {"Datacenter Edition", "Enterprise Edition", "Web Edition",
                                          "Standard Edition"};

const char* Server2003Edition(uint16_t architecture, uint16_t suiteMask)
{
    const Server2003Editions& editions = architecture == ArchitectureItanium ? Server2003Itanium
                                         : architecture == ArchitectureX64   ? Server2003X64
                                                                             : Server2003X86;
    if (suiteMask & SuiteDatacenter)
        return editions.datacenter;
    if (suiteMask & SuiteEnterprise)
        return editions.enterprise;
    if (editions.web != nullptr && (suiteMask & SuiteWeb))
        return editions.web;
    return editions.standard;
}

struct ProductEdition {
    uint32_t product;
    const char* text;
};

const ProductEdition WorkstationEditions[] = {
    {1, "Ultimate"},     {2, "Home Basic"}, {3, "Home Premium"},     {4, "Business"},
    {5, "Home Basic N"}, {6, "Business"},   {11, "Starter Edition"}, {16, "Business N"},
};

const ProductEdition ServerEditions[] = {
    {7, "Standard Edition"},
    {8, "Datacenter Edition"},
    {9, "Small Business Server"},
    {10, "Enterprise Edition"},
    {12, "Datacenter Edition(Core)"},
    {13, "Standard Edition(Core)"},
    {14, "Enterprise Edition(Core)"},
    {15, "Enterprise Edition for Itanium-based Systems"},
    {17, "Web Server Edition"},
    {18, "Cluster Server Edition"},
    {19, "Home Server Edition"},
    {20, "Storage Server Express Edition"},
    {21, "Storage Server Standard Edition"},
    {22, "Storage Server Workgroup Edition"},
    {23, "Storage Server Enterprise Edition"},
    {24, "for Small Business Edition"},
    {25, "Small Business Server Premium Edition"},
};

template <size_t N>
const char* EditionOf(const ProductEdition (&table)[N], uint32_t product)
{
    for (const ProductEdition& entry : table)
        if (entry.product == product)
            return entry.text;
    return "";
}

const char* ArchitectureSuffix(uint16_t architecture)
{
    if (architecture == ArchitectureItanium)
        return "(IA64)";
    if (architecture == ArchitectureX64)
        return "(x64)";
    return "";
}

// ---- NT releases; nullopt means the generic step names the system ----

std::optional<Utf8String> Nt52Release(TVersionQueries& queries, const VersionRecord& extended)
{
    uint16_t architecture = 0;
    queries.NativeArchitecture(architecture);
    if (extended.productType == ProductWorkstation) {
        if (architecture == ArchitectureX64)
            return Utf8String("XP Professional x64 Edition");
        return std::nullopt;
    }
    if (extended.productType == ProductDomainController || extended.productType == ProductServer) {
        Utf8String text = "Server 2003 ";
        if (queries.ServerR2())
            text += "R2 ";
        return text + Server2003Edition(architecture, extended.suiteMask);
    }
    return std::nullopt;
}

std::optional<Utf8String> Nt5Release(TVersionQueries& queries, const VersionRecord& basic,
                                     const VersionRecord& extended)
{
    const bool workstation = extended.productType == ProductWorkstation;
    switch (basic.minorVersion) {
    case 0: return Utf8String("2000 ") + (workstation ? "Professional" : "Server");
    case 1:
        if (!workstation)
            return Utf8String("Server 2003");
        return Utf8String("XP ") +
               ((extended.suiteMask & SuitePersonal) ? "Home Edition" : "Professional");
    case 2: return Nt52Release(queries, extended);
    default:
        // No release is known as 5.3 or later: nothing is named beyond "Windows".
        return Utf8String();
    }
}

std::optional<Utf8String> Nt6Release(TVersionQueries& queries, const VersionRecord& basic,
                                     const VersionRecord& extended)
{
    if (basic.minorVersion >= 2)
        return std::nullopt;
    const bool vistaGeneration = basic.minorVersion == 0;
    const uint32_t product = queries.ProductType(basic.majorVersion, basic.minorVersion);
    Utf8String text;
    if (extended.productType == ProductWorkstation)
        text = Utf8String(vistaGeneration ? " Vista " : " 7 ") +
               EditionOf(WorkstationEditions, product);
    else
        text = Utf8String(vistaGeneration ? "Server 2008 " : "Server 2008 R2 ") +
               EditionOf(ServerEditions, product);
    uint16_t architecture = 0;
    queries.NativeArchitecture(architecture);
    return text + ArchitectureSuffix(architecture);
}

// "NT<major>.<minor> " and, where the extended record exists, whether it is a workstation.
Utf8String GenericNtRelease(TVersionQueries& queries, const VersionRecord& basic,
                            const Utf8String& csd)
{
    Utf8String text = "NT" + Number(basic.majorVersion) + "." + Number(basic.minorVersion) + " ";
    // NT 4.0 knows the extended record from service pack 6 on.
    const bool hasExtendedRecord =
        basic.majorVersion >= 5 || (basic.majorVersion == 4 && csd.find('6') != Utf8String::npos);
    if (hasExtendedRecord) {
        VersionRecord extended;
        queries.ExtendedVersion(extended);
        text += extended.productType == ProductWorkstation ? "WorkStation" : "Server";
    }
    return text;
}

Utf8String NtRelease(TVersionQueries& queries, const VersionRecord& basic, const Utf8String& csd)
{
    std::optional<Utf8String> release;
    if (basic.majorVersion == 5 || basic.majorVersion == 6) {
        VersionRecord extended;
        queries.ExtendedVersion(extended);
        release = basic.majorVersion == 5 ? Nt5Release(queries, basic, extended)
                                          : Nt6Release(queries, basic, extended);
    }
    return release ? *release : GenericNtRelease(queries, basic, csd);
}

// Answers the builder's questions from facts given by value.
class FactsQueries : public TVersionQueries {
public:
    explicit FactsQueries(const platform::VersionFacts& facts) : facts_(facts) {}

    bool BasicVersion(VersionRecord& record) override { return facts_.BasicVersion(record); }
    void ExtendedVersion(VersionRecord& record) override { facts_.ExtendedVersion(record); }
    void NativeArchitecture(uint16_t& architecture) override
    {
        facts_.NativeArchitecture(architecture);
    }
    uint32_t ProductType(uint32_t, uint32_t) override { return facts_.productNumber; }
    bool ServerR2() override { return facts_.serverR2; }

private:
    const platform::VersionFacts& facts_;
};

// Asks the running system, one call per question.
class SystemQueries : public TVersionQueries {
public:
    bool BasicVersion(VersionRecord& record) override { return platform::GetBasicVersion(record); }
    void ExtendedVersion(VersionRecord& record) override { platform::QueryVersionInfoEx(record); }
    void NativeArchitecture(uint16_t& architecture) override
    {
        platform::QueryNativeSystemInfo(architecture);
    }
    uint32_t ProductType(uint32_t major, uint32_t minor) override
    {
        return platform::QueryProductType(major, minor, 0, 0);
    }
    bool ServerR2() override { return platform::IsServerR2(); }
};

}  // namespace

Utf8String BuildWindowsVersionName(TVersionQueries& queries)
{
    VersionRecord basic;
    if (!queries.BasicVersion(basic))
        return Utf8String();
    const Utf8String csd = ServicePackText(basic);
    Utf8String name = "Windows";
    switch (basic.platformId) {
    case PlatformWin32s:
        name += Number(basic.majorVersion) + "." + Number(basic.minorVersion) + "(Win32s)";
        break;
    case PlatformWindows: name += Windows9xRelease(basic); break;
    case PlatformNT: name += NtRelease(queries, basic, csd); break;
    default: break;
    }
    if (!csd.empty())
        name += " [" + csd + "]";
    return name;
}

Utf8String BuildWindowsVersionName(const platform::VersionFacts& facts)
{
    FactsQueries queries(facts);
    return BuildWindowsVersionName(queries);
}

Utf8String GetWindowsVersionName()
{
    SystemQueries queries;
    return BuildWindowsVersionName(queries);
}

}  // namespace stem
