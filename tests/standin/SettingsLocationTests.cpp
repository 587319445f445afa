// Where the settings file lives on systems the stand-in plays: each Windows version, its
// special folders, the editor's own key in the stand-in's registry.
#include <gtest/gtest.h>

#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"
#include "plugin/Settings.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

class StandInSettingsLocation : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::SetSpecialFolder(CSIDL_PROGRAM_FILES, u"C:\\Program Files");
        standin::SetSpecialFolder(CSIDL_APPDATA, u"C:\\Users\\u\\AppData\\Roaming");
    }
    static void SetVersion(uint32_t major, uint32_t minor, uint8_t productType)
    {
        platform::VersionFacts facts = standin::DefaultVersionFacts();
        facts.record.majorVersion = major;
        facts.record.minorVersion = minor;
        facts.record.productType = productType;
        standin::SetVersionFacts(facts);
    }

    TempFolder folder_;
    const WideString underProgramFiles = u"C:\\Program Files\\Host\\PlugIns\\StemraTime.ini";
    const WideString createdFolder = u"C:\\Users\\u\\AppData\\Roaming\\Host\\PlugIns";
};

TEST_F(StandInSettingsLocation, SevenMovesAndCreatesTheFolderChain)
{
    EXPECT_EQ(AdjustSettingsPath(underProgramFiles),
              u"C:\\Users\\u\\AppData\\Roaming\\Host\\PlugIns\\StemraTime.ini");
    EXPECT_TRUE(platform::PathExists(createdFolder));
}

TEST_F(StandInSettingsLocation, VistaAndBothServer2008sMove)
{
    const struct {
        uint32_t minor;
        uint8_t productType;
    } systems[] = {{0, 1}, {0, 3}, {1, 2}};
    for (const auto& system : systems) {
        SetVersion(6, system.minor, system.productType);
        EXPECT_EQ(AdjustSettingsPath(underProgramFiles),
                  u"C:\\Users\\u\\AppData\\Roaming\\Host\\PlugIns\\StemraTime.ini")
            << GetWindowsVersionName();
    }
}

// Only a path inside the Program Files folder moves: its name, in the same case, followed by a
// backslash. A 64-bit editor's Program Files is no prefix of the 32-bit programs' folder.
TEST_F(StandInSettingsLocation, OnlyPathsInsideTheProgramFilesFolderMove)
{
    const struct {
        const char16_t* programFiles;
        const char16_t* path;
        const char16_t* moved;  // null: stays
    } cases[] = {
        {u"C:\\Program Files", u"c:\\program files\\Host\\PlugIns\\StemraTime.ini", nullptr},
        {u"C:\\Program Files", u"C:\\Program Files (x86)\\Host\\PlugIns\\StemraTime.ini", nullptr},
        {u"C:\\Program Files", u"C:\\Program FilesHost\\StemraTime.ini", nullptr},
        {u"C:\\Program Files (x86)", u"C:\\Program Files (x86)\\Host\\PlugIns\\StemraTime.ini",
         u"C:\\Users\\u\\AppData\\Roaming\\Host\\PlugIns\\StemraTime.ini"},
    };
    for (const auto& c : cases) {
        standin::SetSpecialFolder(CSIDL_PROGRAM_FILES, c.programFiles);
        const WideString path = c.path;
        EXPECT_EQ(AdjustSettingsPath(path), c.moved != nullptr ? c.moved : path)
            << WideToUtf8(c.programFiles) << " " << WideToUtf8(path);
        EXPECT_EQ(platform::PathExists(createdFolder), c.moved != nullptr);
    }
}

TEST_F(StandInSettingsLocation, LaterAndEarlierSystemsDoNotMove)
{
    const struct {
        uint32_t major;
        uint32_t minor;
    } systems[] = {{6, 2}, {6, 3}, {10, 0}, {5, 1}};
    for (const auto& system : systems) {
        SetVersion(system.major, system.minor, 1);
        EXPECT_EQ(AdjustSettingsPath(underProgramFiles), underProgramFiles)
            << GetWindowsVersionName();
        EXPECT_FALSE(platform::PathExists(createdFolder));
    }
}

TEST_F(StandInSettingsLocation, UnknownProgramFilesFolderMovesNothing)
{
    standin::SetSpecialFolder(CSIDL_PROGRAM_FILES, u"");
    EXPECT_EQ(AdjustSettingsPath(underProgramFiles), underProgramFiles);
}

// The editor's own key, in the stand-in's private registry.
TEST(StandInPluginFolder, EditorKeyIsReadOncePerCache)
{
    standin::SetHostExecutablePath(u"C:\\表\\Editor.exe");
    WideString cache;
    EXPECT_EQ(GetPluginFolder(cache), u"C:\\表\\PlugIns");

    const Utf8String common = Utf8String(EditorRegistryKey) + "Common";
    ASSERT_TRUE(platform::SetUserRegistryValue(common, "PlugInsFolder", platform::RegistryString,
                                               platform::RegistryStringData(u"C:\\One")));
    EXPECT_EQ(GetPluginFolder(cache), u"C:\\表\\PlugIns") << "cached";
    WideString otherModule;
    EXPECT_EQ(GetPluginFolder(otherModule), u"C:\\One");
    EXPECT_EQ(ReadPluginFolder(), u"C:\\One");
}

}  // namespace

}  // namespace stem
