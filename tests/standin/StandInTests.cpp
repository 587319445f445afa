// The stand-in itself: how it maps Windows paths onto the file system, the facts a test can
// give it (special folders, version records, the host program), and the yes-or-no question.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"
#include "plugin/PluginModule.h"
#include "tests/support/EditorNumbers.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

TEST(StandInPaths, MapsDrivesOntoTheRootAndZOntoSlash)
{
    standin::SetFileRoot("/r/");
    struct Case {
        const char* windows;
        const char* posix;
    };
    const Case cases[] = {
        {"C:\\a\\B.ini", "/r/C/a/B.ini"},
        {"c:\\Program Files", "/r/c/Program Files"},
        {"D:", "/r/D"},
        {"Z:\\tmp\\x", "/tmp/x"},
        {"z:\\", "/"},
        {"rel\\x", "rel/x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(standin::ToPosixPath(c.windows), c.posix) << c.windows;

    EXPECT_EQ(standin::ToWindowsPath("/r/C/a/B.ini"), "C:\\a\\B.ini");
    EXPECT_EQ(standin::ToWindowsPath("/r/C"), "C:\\");
    EXPECT_EQ(standin::ToWindowsPath("/rx/C/a"), "Z:\\rx\\C\\a");
    EXPECT_EQ(standin::ToWindowsPath("/tmp/x"), "Z:\\tmp\\x");
    EXPECT_EQ(standin::FileRoot(), "/r");
    standin::SetFileRoot("");
    EXPECT_NE(standin::FileRoot(), "/r");
}

// Windows names are Shift-JIS, Linux names UTF-8: 表 (95 5C, a backslash as its trail byte)
// stays one character, and names that are not UTF-8 keep their bytes.
TEST(StandInPaths, ConvertNamesBetweenTheCodePageAndUtf8)
{
    standin::SetFileRoot("/r");
    EXPECT_EQ(standin::ToPosixPath("C:\\\x95\x5C\\x"), "/r/C/\xE8\xA1\xA8/x");
    EXPECT_EQ(standin::ToWindowsPath("/r/C/\xE8\xA1\xA8/x"), "C:\\\x95\x5C\\x");
    EXPECT_EQ(standin::ToWindowsPath("/tmp/\xE6\x97\xA5"), "Z:\\tmp\\\x93\xFA");
    EXPECT_EQ(standin::ToWindowsPath("/tmp/\xFF"), "Z:\\tmp\\\xFF");
    standin::SetFileRoot("");
}

TEST(StandInPaths, HostPathCanBeSetAndRestored)
{
    standin::SetHostExecutablePath("C:\\Program Files\\Editor\\Editor.exe");
    EXPECT_EQ(platform::HostExecutablePath(), "C:\\Program Files\\Editor\\Editor.exe");
    standin::SetHostExecutablePath("");
    EXPECT_NE(platform::HostExecutablePath().find("StandInTests"), std::string::npos);
}

// ---- Special folders ----

using StandInSpecialFolder = ::testing::Test;

// The shell's buffer holds 264 bytes; whatever it holds, at most 261 of them are the path.
TEST_F(StandInSpecialFolder, PathIsCutAt261Bytes)
{
    struct Case {
        size_t stored;
        size_t expected;
    };
    const Case cases[] = {{0, 0},     {1, 1},     {260, 260}, {261, 261},
                          {262, 261}, {263, 261}, {264, 261}, {400, 261}};
    for (const Case& c : cases) {
        const AnsiString path = "C:\\" + std::string(c.stored < 3 ? 0 : c.stored - 3, 'p');
        standin::SetSpecialFolder(CSIDL_PROGRAM_FILES, path.substr(0, c.stored));
        const AnsiString result = GetSpecialFolderPath(CSIDL_PROGRAM_FILES);
        EXPECT_EQ(result.size(), c.expected) << c.stored;
        EXPECT_EQ(result, path.substr(0, c.expected));
    }
}

TEST_F(StandInSpecialFolder, PathStopsAtItsFirstNul)
{
    standin::SetSpecialFolder(CSIDL_APPDATA, std::string("C:\\A\0B", 6));
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA), "C:\\A");
}

TEST_F(StandInSpecialFolder, ShiftJisPathIsKeptAsBytes)
{
    // C:\プログラム in Shift-JIS
    const AnsiString path = "C:\\\x83v\x83\x8d\x83O\x83\x89\x83\x80";
    standin::SetSpecialFolder(CSIDL_PROGRAM_FILES, path);
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PROGRAM_FILES), path);
}

TEST_F(StandInSpecialFolder, DefaultApplicationDataNamesTheUser)
{
    const char* user = std::getenv("USER");
    const std::string name = user != nullptr && *user != '\0' ? user : "user";
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA), "C:\\Users\\" + name + "\\AppData\\Roaming");
}

// ---- Version records ----

TEST(WindowsVersionName, StandInDefaultsToSevenServicePackOne)
{
    standin::SetVersionFacts(standin::DefaultVersionFacts());
    EXPECT_EQ(GetWindowsVersionName(), "Windows 7 Ultimate(x64) [Service Pack 1]");
}

TEST(WindowsVersionName, StandInFactsReachTheName)
{
    platform::VersionFacts facts = standin::DefaultVersionFacts();
    facts.record.minorVersion = 2;
    facts.record.buildNumber = 3790;
    facts.record.productType = 3;
    facts.record.suiteMask = 0x0002;
    facts.record.csdVersion[0] = '\0';
    facts.serverR2 = true;
    standin::SetVersionFacts(facts);
    EXPECT_EQ(GetWindowsVersionName(), "WindowsNT6.2 Server");
    facts.record.majorVersion = 5;
    standin::SetVersionFacts(facts);
    EXPECT_EQ(GetWindowsVersionName(), "WindowsServer 2003 R2 Enterprise x64 Edition");
    facts.basicOk = false;
    standin::SetVersionFacts(facts);
    EXPECT_EQ(GetWindowsVersionName(), "");
    standin::SetVersionFacts(standin::DefaultVersionFacts());
}

// ---- The yes-or-no question ----

// The stand-in records the box and answers as told; under Windows the end-to-end host checks
// the real box, which cannot be answered without a display.
TEST(StandInMessageBox, UninstallQuestionAsksInJapaneseOnEveryCodePageAndFollowsTheAnswer)
{
    for (const unsigned codePage : {platform::ShiftJisCodePage, platform::Utf8CodePage}) {
        standin::SetAnsiCodePage(codePage);
        SimulatedEditor editor;
        const platform::HostWindow window = platform::CreateHostWindow(editor);
        PluginModule time{TimePluginTraits};
        standin::SetMessageBoxAnswer(true);
        EXPECT_EQ(time.PlugInProc(window, ProcConfirmUninstall, 0, 0), 1);
        const standin::MessageBoxCall& shown = standin::LastMessageBox();
        EXPECT_EQ(shown.owner, window);
        EXPECT_EQ(shown.caption, u"Stemko");
        EXPECT_EQ(shown.text, u"アンインストールしますか？") << codePage;
        standin::SetMessageBoxAnswer(false);
        EXPECT_EQ(time.PlugInProc(window, ProcConfirmUninstall, 0, 0), 0);
        EXPECT_EQ(standin::LastMessageBox().count, 2);
        standin::ResetMessageBox();
        platform::DestroyHostWindow(window);
    }
}

}  // namespace

// A folder without write permissions plays one the user may not change: nothing in it is made,
// renamed or removed, while its files still read (root, who may write anywhere, included).
TEST(StandInFolderRights, FolderWithoutWriteAccessRefusesEveryChange)
{
    TempFolder folder;
    const AnsiString locked = folder.File("locked");
    ASSERT_TRUE(platform::CreateFolder(locked));
    ASSERT_TRUE(platform::CreateFolder(locked + "\\sub"));
    ASSERT_TRUE(platform::WriteNewFile(locked + "\\a.ini", "a"));
    ASSERT_TRUE(platform::WriteNewFile(folder.File("b.ini"), "b"));
    ASSERT_TRUE(platform::SetFolderWritable(locked, false));

    std::string bytes;
    EXPECT_EQ(platform::ReadWholeFile(locked + "\\a.ini", bytes), platform::FileStatus::Ok);
    EXPECT_FALSE(platform::WriteNewFile(locked + "\\new.ini", "x"));
    EXPECT_FALSE(platform::CanCreateFile(locked + "\\new.ini"));
    EXPECT_FALSE(platform::CreateFolder(locked + "\\new"));
    EXPECT_FALSE(platform::RemoveFolder(locked + "\\sub"));
    EXPECT_FALSE(platform::RemoveFile(locked + "\\a.ini"));
    EXPECT_FALSE(platform::MoveFileReplacing(folder.File("b.ini"), locked + "\\a.ini"));
    EXPECT_FALSE(platform::ReplaceExistingFile(locked + "\\a.ini", folder.File("b.ini")));
    EXPECT_FALSE(std::filesystem::exists(platform::SystemPathOf(locked + "\\new.ini")));
    EXPECT_EQ(platform::ReadWholeFile(locked + "\\a.ini", bytes), platform::FileStatus::Ok);
    EXPECT_EQ(bytes, "a");

    ASSERT_TRUE(platform::SetFolderWritable(locked, true));
    EXPECT_TRUE(platform::WriteNewFile(locked + "\\new.ini", "x"));
}

}  // namespace stem
