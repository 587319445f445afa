// The stand-in itself: how it maps Windows paths onto the file system, the facts a test can
// give it (special folders, version records, the host program), and the yes-or-no question.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "base/UnicodeText.h"
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
        const char16_t* windows;
        const char* posix;
    };
    const Case cases[] = {
        {u"C:\\a\\B.ini", "/r/C/a/B.ini"},
        {u"c:\\Program Files", "/r/c/Program Files"},
        {u"D:", "/r/D"},
        {u"Z:\\tmp\\x", "/tmp/x"},
        {u"z:\\", "/"},
        {u"rel\\x", "rel/x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(standin::ToPosixPath(c.windows), c.posix) << c.posix;

    EXPECT_EQ(standin::ToWindowsPath("/r/C/a/B.ini"), u"C:\\a\\B.ini");
    EXPECT_EQ(standin::ToWindowsPath("/r/C"), u"C:\\");
    EXPECT_EQ(standin::ToWindowsPath("/rx/C/a"), u"Z:\\rx\\C\\a");
    EXPECT_EQ(standin::ToWindowsPath("/tmp/x"), u"Z:\\tmp\\x");
    EXPECT_EQ(standin::FileRoot(), "/r");
    standin::SetFileRoot("");
    EXPECT_NE(standin::FileRoot(), "/r");
}

// Windows names are UTF-16, Linux names UTF-8, as under Wine: any name converts, and a Linux
// name that is not UTF-8 gets a replacement character.
TEST(StandInPaths, ConvertNamesBetweenUtf16AndUtf8)
{
    standin::SetFileRoot("/r");
    EXPECT_EQ(standin::ToPosixPath(u"C:\\表\\설정"), "/r/C/表/설정");
    EXPECT_EQ(standin::ToWindowsPath("/r/C/表/설정"), u"C:\\表\\설정");
    EXPECT_EQ(standin::ToWindowsPath("/tmp/\xFF"), u"Z:\\tmp\\\uFFFD");
    standin::SetFileRoot("");
}

TEST(StandInPaths, HostPathCanBeSetAndRestored)
{
    standin::SetHostExecutablePath(u"C:\\Program Files\\Editor\\Editor.exe");
    EXPECT_EQ(platform::HostExecutablePath(), u"C:\\Program Files\\Editor\\Editor.exe");
    standin::SetHostExecutablePath(u"");
    EXPECT_NE(platform::HostExecutablePath().find(u"StandInTests"), WideString::npos);
}

// ---- Special folders ----

using StandInSpecialFolder = ::testing::Test;

// The shell's buffer holds 264 characters; whatever it holds, at most 261 of them are the path.
TEST_F(StandInSpecialFolder, PathIsCutAt261Characters)
{
    struct Case {
        size_t stored;
        size_t expected;
    };
    const Case cases[] = {{0, 0},     {1, 1},     {260, 260}, {261, 261},
                          {262, 261}, {263, 261}, {264, 261}, {400, 261}};
    for (const Case& c : cases) {
        const WideString path = u"C:\\" + WideString(c.stored < 3 ? 0 : c.stored - 3, u'表');
        standin::SetSpecialFolder(CSIDL_PROGRAM_FILES, path.substr(0, c.stored));
        const WideString result = GetSpecialFolderPath(CSIDL_PROGRAM_FILES);
        EXPECT_EQ(result.size(), c.expected) << c.stored;
        EXPECT_EQ(result, path.substr(0, c.expected));
    }
}

TEST_F(StandInSpecialFolder, PathStopsAtItsFirstNul)
{
    standin::SetSpecialFolder(CSIDL_APPDATA, WideString(u"C:\\A\0B", 6));
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA), u"C:\\A");
}

TEST_F(StandInSpecialFolder, DefaultApplicationDataNamesTheUser)
{
    const char* user = std::getenv("USER");
    const std::string name = user != nullptr && *user != '\0' ? user : "user";
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_APPDATA),
              Utf8ToWideReplacing("C:\\Users\\" + name + "\\AppData\\Roaming"));
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

// ---- The system it plays ----

// Each page the stand-in models is a system with its locale: Japanese on 932 and 65001,
// English (en-US) on 1252, whose only calendar is the Gregorian one. Any other page is refused,
// and the system stays as it was.
TEST(StandInSystems, EachModelledPageHasItsLocaleAndNoOtherPageIsTaken)
{
    const struct {
        unsigned page;
        unsigned language;
        const char16_t* pm;
        const char16_t* monday;
        const char16_t* era;
        const char16_t* eraYear;
    } systems[] = {
        {platform::ShiftJisCodePage, 0x11, u"午後", u"月曜日", u"令和", u"08"},
        {platform::Utf8CodePage, 0x11, u"午後", u"月曜日", u"令和", u"08"},
        {platform::WesternCodePage, 0x09, u"PM", u"Monday", u"A.D.", u"26"},
    };
    for (const auto& system : systems) {
        ASSERT_TRUE(standin::SetAnsiCodePage(system.page));
        EXPECT_EQ(platform::AnsiCodePage(), system.page);
        EXPECT_EQ(platform::ThreadPrimaryLanguage(), system.language);
        WideString text;
        ASSERT_TRUE(
            platform::GetLocaleText(platform::LocaleText::PmDesignator, Weekday::Sunday, text));
        EXPECT_EQ(text, system.pm);
        ASSERT_TRUE(
            platform::GetLocaleText(platform::LocaleText::LongDayName, Weekday::Monday, text));
        EXPECT_EQ(text, system.monday);
        const platform::AltCalendarEra era = platform::EraOfDate(2026, 12, 7);
        EXPECT_EQ(era.name, system.era);
        EXPECT_EQ(era.year2, system.eraYear);
        for (const unsigned other : {0u, 936u, 949u, 1200u, 437u}) {
            EXPECT_FALSE(standin::SetAnsiCodePage(other)) << other;
            EXPECT_EQ(platform::AnsiCodePage(), system.page);
        }
    }
}

// ---- The yes-or-no question ----

// The stand-in records the box and answers as told; under Windows the end-to-end host checks
// the real box, which cannot be answered without a display.
TEST(StandInMessageBox, UninstallQuestionAsksInJapaneseOnEveryCodePageAndFollowsTheAnswer)
{
    for (const unsigned codePage :
         {platform::ShiftJisCodePage, platform::Utf8CodePage, platform::WesternCodePage}) {
        ASSERT_TRUE(standin::SetAnsiCodePage(codePage));
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
    const WideString locked = folder.File("locked");
    ASSERT_TRUE(platform::CreateFolder(locked));
    ASSERT_TRUE(platform::CreateFolder(locked + u"\\sub"));
    ASSERT_TRUE(platform::WriteNewFile(locked + u"\\a.ini", "a"));
    ASSERT_TRUE(platform::WriteNewFile(folder.File("b.ini"), "b"));
    ASSERT_TRUE(platform::SetFolderWritable(locked, false));

    std::string bytes;
    EXPECT_EQ(platform::ReadWholeFile(locked + u"\\a.ini", bytes), platform::FileStatus::Ok);
    EXPECT_FALSE(platform::WriteNewFile(locked + u"\\new.ini", "x"));
    EXPECT_FALSE(platform::CanCreateFile(locked + u"\\new.ini"));
    EXPECT_FALSE(platform::CreateFolder(locked + u"\\new"));
    EXPECT_FALSE(platform::RemoveFolder(locked + u"\\sub"));
    EXPECT_FALSE(platform::RemoveFile(locked + u"\\a.ini"));
    EXPECT_FALSE(platform::MoveFileReplacing(folder.File("b.ini"), locked + u"\\a.ini"));
    EXPECT_FALSE(platform::ReplaceExistingFile(locked + u"\\a.ini", folder.File("b.ini")));
    EXPECT_FALSE(std::filesystem::exists(platform::SystemPathOf(locked + u"\\new.ini")));
    EXPECT_EQ(platform::ReadWholeFile(locked + u"\\a.ini", bytes), platform::FileStatus::Ok);
    EXPECT_EQ(bytes, "a");

    ASSERT_TRUE(platform::SetFolderWritable(locked, true));
    EXPECT_TRUE(platform::WriteNewFile(locked + u"\\new.ini", "x"));
}

}  // namespace stem
