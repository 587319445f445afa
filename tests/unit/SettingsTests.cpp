#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "MyLibrary/AccessIniFile/AccessIniFile.h"
#include "MyLibrary/OSVersionUnit/OSVersionUnit.h"
#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "platform/Platform.h"
#include "plugin/Settings.h"
#include "tests/support/DefaultSettings.h"
#include "tests/support/IniModel.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

using namespace std::string_literals;
using Patterns = std::vector<WideString>;

std::string ReadBytes(const WideString& path)
{
    std::string bytes;
    if (platform::ReadWholeFile(path, bytes) != platform::FileStatus::Ok)
        return "<unreadable>";
    return bytes;
}

void WriteBytes(const WideString& path, const std::string& bytes)
{
    ASSERT_TRUE(platform::WriteNewFile(path, bytes)) << WideToUtf8(path);
}

std::filesystem::path HostPath(const WideString& windowsPath)
{
    return platform::SystemPathOf(windowsPath);
}

// The patterns a load of the plug-in's defaults gives: the fixture's bytes read by the tests'
// own model of the dialect.
Patterns DefaultPatterns(const PluginTraits& traits)
{
    const bool date = std::string(traits.patternSection) == "DateFormat";
    const std::string& bytes = date ? DateDefaultsText : TimeDefaultsText;
    const Utf8String text = WideToUtf8(platform::DecodeText(platform::ShiftJisCodePage, bytes));
    return model::Load(model::LinesOf(text), traits.patternSection);
}

Patterns PatternsOf(const TCommonStringRecordList& list)
{
    Patterns patterns;
    for (int32_t i = 0; i < list.TextCount(); ++i)
        patterns.push_back(list.TextAt(i));
    return patterns;
}

Patterns Load(const WideString& path, const Utf8String& section)
{
    TAccessIniFile settings(path);
    TCommonStringRecordList list;
    LoadFormatList(settings, section, list);
    return PatternsOf(list);
}

using SettingsStep = PressSettings (*)(const WideString&, const PluginTraits&,
                                       TCommonStringRecordList&);

PressSettings RunStep(SettingsStep step, const WideString& path, const PluginTraits& traits,
                      Patterns* loaded)
{
    TCommonStringRecordList list;
    const PressSettings press = step(path, traits, list);
    if (loaded != nullptr)
        *loaded = PatternsOf(list);
    return press;
}

// The settings step of a press of the plug-in on the file.
PressSettings Press(const WideString& path, const PluginTraits& traits, Patterns* loaded = nullptr)
{
    return RunStep(ReadPressSettings, path, traits, loaded);
}

// What that step would do, as stem check asks it.
PressSettings LookAhead(const WideString& path, const PluginTraits& traits,
                        Patterns* loaded = nullptr)
{
    return RunStep(ForeseePress, path, traits, loaded);
}

class SettingsFile : public ::testing::Test {
protected:
    TempFolder folder_;
    const WideString path_ = folder_.File("StemraTime.ini");
};

// ---- Defaults ----

TEST_F(SettingsFile, BothPluginsWriteTheirDefaultsIntoOneFile)
{
    EXPECT_EQ(Press(path_, DatePluginTraits).placement, DefaultsPlacement::Added);
    EXPECT_EQ(ReadBytes(path_), DateDefaultsText);
    // Asked first, the look-ahead says the defaults will be saved, and saves nothing.
    Patterns foreseen;
    const PressSettings ahead = LookAhead(path_, TimePluginTraits, &foreseen);
    EXPECT_EQ(ahead.placement, DefaultsPlacement::Added);
    EXPECT_EQ(ahead.obstacle, SaveObstacle::None);
    EXPECT_EQ(ahead.trouble, "");
    EXPECT_EQ(foreseen.front(), u" hh:nn");
    EXPECT_EQ(ReadBytes(path_), DateDefaultsText);
    EXPECT_EQ(Press(path_, TimePluginTraits).placement, DefaultsPlacement::Added);
    EXPECT_EQ(ReadBytes(path_), DateDefaultsText + TimeDefaultsText);
    // Each again: both sections have keys, so nothing changes.
    EXPECT_EQ(Press(path_, DatePluginTraits).placement, DefaultsPlacement::NotNeeded);
    EXPECT_EQ(Press(path_, TimePluginTraits).trouble, "");
    EXPECT_EQ(ReadBytes(path_), DateDefaultsText + TimeDefaultsText);
}

TEST_F(SettingsFile, DefaultsLoadAsTheDatePatternsAndTheSpacedTimePatterns)
{
    Press(path_, TimePluginTraits);
    Press(path_, DatePluginTraits);
    EXPECT_EQ(Load(path_, "DateFormat"),
              (Patterns{u"yyyy/mm/dd(aaa)", u"yyyy/mm/dd(a)", u"yyyy/mm/dd", u"mm/ddaaa",
                        u"yyyy年mm月dd日(aaa)", u"gggee年mm月dd日(aaa)", u"a, dd mmm yyyy",
                        u"aa, dd mmmm yyyy", u"Calendar1", u"Calendar2", u""}));
    EXPECT_EQ(Load(path_, "TimeFormat"),
              (Patterns{u" hh:nn", u" hh:nn:ss", u" hh:nn am/pm", u" hh時nn分", u" AMPMhh時nn分",
                        u" hhnnss", u" hh-nn-ss", u""}));
}

TEST_F(SettingsFile, SectionWithAnyKeyIsNeverCompleted)
{
    const std::string text = "[DateFormat]\r\nItem05=only five\r\n";
    WriteBytes(path_, text);
    Patterns loaded;
    Press(path_, DatePluginTraits, &loaded);
    EXPECT_EQ(ReadBytes(path_), text);
    EXPECT_EQ(loaded, Patterns{u""});
}

TEST_F(SettingsFile, EmptiedSectionIsRefilledUnderItsKeptHeader)
{
    WriteBytes(
        path_,
        "[TimeFormat]\r\nItem01=t\r\n[DateFormat]\r\n; my patterns\r\n\r\n[Other]\r\nk=v\r\n");
    Press(path_, DatePluginTraits);
    const std::string dateLines = DateDefaultsText.substr(DateDefaultsText.find("\r\n") + 2);
    EXPECT_EQ(ReadBytes(path_), "[TimeFormat]\r\nItem01=t\r\n[DateFormat]\r\n" + dateLines +
                                    "; my patterns\r\n\r\n[Other]\r\nk=v\r\n");
}

// Defaults that cannot be saved, or that a load of this plug-in would miss or one of the other
// would find, are never written: the file stays as it is (its read-only attribute too) however
// often the step runs, nothing is made beside it, and the press uses the defaults from memory.
// The look-ahead, asked before each press, says the same.
TEST_F(SettingsFile, DefaultsThatCannotBeSavedComeFromMemoryAndTheFileStays)
{
    enum Place { InTheFolder, ReadOnly, InAMissingFolder, HeldSharingReads };
    struct Case {
        const char* name;
        std::string text;  // empty: no file
        Place place;
        const PluginTraits& traits;
        DefaultsPlacement placement;
        const char* trouble;  // a part of what the step reports
    };
    const Case cases[] = {
        // The comment opens [DateFormat], the real header ends it: new keys go above the comment.
        {"comment above the header",
         "[TimeFormat]\r\nItem01=\" hh:nn\"\r\n; [DateFormat] patterns below\r\n[DateFormat]\r\nItem01=yyyy\r\n",
         InTheFolder, DatePluginTraits, DefaultsPlacement::OutsideSection, "outside [DateFormat]"},
        {"comment above the time header", "; [TimeFormat]\r\n[TimeFormat]\r\n", InTheFolder,
         TimePluginTraits, DefaultsPlacement::OutsideSection, "outside [TimeFormat]"},
        // [TimeFormat] opens at a comment inside [DateFormat] and runs to the end: the date
        // defaults would be the time plug-in's patterns too.
        {"other section opened by a comment", "[DateFormat]\r\n; [TimeFormat]\r\n=x\r\n",
         InTheFolder, DatePluginTraits, DefaultsPlacement::SharedSection,
         "in another plug-in's section too"},
        {"read-only file", "[TimeFormat]\r\nItem01=hh\r\n", ReadOnly, DatePluginTraits,
         DefaultsPlacement::Added, "is read-only"},
        {"file kept only as it is", std::string("[TimeFormat]\r\nItem01=hh\r\n\0junk", 30),
         InTheFolder, DatePluginTraits, DefaultsPlacement::Added, "never write"},
        {"UTF-8 file kept only as it is", "\xEF\xBB\xBF[DateFormat]\r\n; \xFF\r\n", InTheFolder,
         TimePluginTraits, DefaultsPlacement::Added, "never write"},
        {"folder that does not exist", "", InAMissingFolder, TimePluginTraits,
         DefaultsPlacement::Added, "does not exist"},
        // Readable, but the system lets no one write or replace it while the holder has it.
        {"file another program holds, sharing only reads", "[DateFormat]\r\nItem01=d\r\n",
         HeldSharingReads, TimePluginTraits, DefaultsPlacement::Added, "does not let"},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WideString folder = folder_.File("case" + std::to_string(++number));
        ASSERT_TRUE(platform::CreateFolder(folder));
        const WideString missing = folder + u"\\missing";
        const WideString path =
            (c.place == InAMissingFolder ? missing : folder) + u"\\StemraTime.ini";
        if (!c.text.empty())
            WriteBytes(path, c.text);
        const ReadOnlyFile attribute(path, c.place == ReadOnly);
        ASSERT_EQ(attribute.Set(), !c.text.empty());
        HeldFile holder(path, platform::HolderShares::Reading);
        if (c.place != HeldSharingReads)
            holder.Release();
        for (int press = 1; press <= 2; ++press) {
            for (const SettingsStep step : {ForeseePress, ReadPressSettings}) {
                Patterns loaded;
                const PressSettings settings = RunStep(step, path, c.traits, &loaded);
                EXPECT_TRUE(settings.read);
                EXPECT_EQ(settings.placement, c.placement);
                EXPECT_NE(settings.trouble.find(c.trouble), std::string::npos) << settings.trouble;
                EXPECT_EQ(loaded, DefaultPatterns(c.traits));
            }
        }
        EXPECT_EQ(ReadBytes(path), c.text.empty() ? "<unreadable>" : c.text);
        EXPECT_EQ(platform::IsReadOnlyFile(path), c.place == ReadOnly);
        EXPECT_EQ(platform::FindFileNames(folder + u"\\*").size(), c.text.empty() ? 0u : 1u);
        EXPECT_FALSE(platform::PathExists(missing));
    }
}

// ---- Loading ----

TEST_F(SettingsFile, LoadStopsAtTheFirstMissingNumber)
{
    struct Case {
        const char* name;
        std::string lines;  // below the [DateFormat] header
        Patterns expected;
    };
    const Case cases[] = {
        {"gap after two", "Item01=a\r\nItem02=b\r\nItem04=d\r\n", {u"a", u"b", u""}},
        {"unpadded key", "Item1=a\r\n", {u""}},
        {"lower-case key", "item01=a\r\n", {u"a", u""}},
        {"blanks around key and value", "  ITEM01  =  a b  \r\n", {u"a b", u""}},
        {"numbering, not line order", "Item02=b\r\nItem01=a\r\n", {u"a", u"b", u""}},
        {"first of a repeated key", "Item01=a\r\nItem01=b\r\n", {u"a", u""}},
        {"empty value", "Item01=\r\nItem02=b\r\n", {u"", u"b", u""}},
        {"quotes keep blanks", "Item01=\"  x \"\r\n", {u"  x ", u""}},
        {"Shift-JIS widened", "Item01=\x94\x4e\x93\xfa\r\n", {u"年日", u""}},
        {"no keys", "; nothing\r\n", {u""}},
        {"three digits not padded to three", "Item01=a\r\nItem001=b\r\n", {u"a", u""}},
    };
    for (const Case& c : cases) {
        WriteBytes(path_,
                   "[TimeFormat]\r\nItem01=time\r\nItem02=time\r\n[DateFormat]\r\n" + c.lines);
        EXPECT_EQ(Load(path_, "DateFormat"), c.expected) << c.name;
    }
}

TEST_F(SettingsFile, Item100FollowsItem99)
{
    std::string text = "[DateFormat]\r\n";
    for (int n = 1; n <= 100; ++n)
        text += "Item" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "=p" +
                std::to_string(n) + "\r\n";
    text += "Item102=after the gap\r\n";
    WriteBytes(path_, text);
    const Patterns patterns = Load(path_, "DateFormat");
    ASSERT_EQ(patterns.size(), 101u);
    EXPECT_EQ(patterns[0], u"p1");
    EXPECT_EQ(patterns[98], u"p99");
    EXPECT_EQ(patterns[99], u"p100");
    EXPECT_EQ(patterns[100], u"");
}

TEST_F(SettingsFile, MissingFileLoadsOnlyTheEmptyEntry)
{
    EXPECT_EQ(Load(path_, "DateFormat"), Patterns{u""});
    EXPECT_FALSE(platform::PathExists(path_)) << "loading creates nothing";
}

TEST_F(SettingsFile, LoadReplacesWhatTheListHeld)
{
    WriteBytes(path_, "[DateFormat]\r\nItem01=new\r\n");
    TCommonStringRecordList list;
    list.AddText(u"old");
    list.AddText(u"");
    ReadPressSettings(path_, DatePluginTraits, list);
    ASSERT_EQ(list.TextCount(), 2);
    EXPECT_EQ(list.TextAt(0), u"new");
}

// The dialect's traps in one section: blanks and quotes, a key's first line, a comment, empty
// values, an equals sign in the value, and brackets in a value, which end the section.
TEST_F(SettingsFile, LoadReadsEachKeyAsTheDialectDoes)
{
    WriteBytes(path_, "[TimeFormat]\r\n"
                      "Item01=time\r\n"
                      "[DateFormat]\r\n"
                      "Item01 = \" one \"\r\n"
                      "  item02=two\r\n"
                      "Item02=shadowed\r\n"
                      ";Item03=commented\r\n"
                      "Item03=\r\n"
                      "Item04=\"\"\r\n"
                      "Item05==five\r\n"
                      "Item06=a[b]\r\n"
                      "Item07=after the bracket line\r\n"
                      "[DateFormat]\r\n"
                      "Item07=second header\r\n");
    EXPECT_EQ(Load(path_, "DateFormat"), (Patterns{u" one ", u"two", u"", u"", u"=five", u""}));
}

// ---- The file's time ----

// The time as the file system keeps it, 0 without a file; a touched file (content unchanged)
// shows a different time, also one that went backwards: this is what makes the next command
// reload.
TEST_F(SettingsFile, LastWriteTimeIsTheFilesOwnAndFollowsEveryTouch)
{
    EXPECT_EQ(LastWriteTimeOf(path_), 0u);
    WriteBytes(path_, DateDefaultsText);
    const platform::FileTime written = LastWriteTimeOf(path_);
    ASSERT_NE(written, 0u);
    constexpr platform::FileTime Second = 10000000;            // file times count 100 ns
    const platform::FileTime leapDay = 133536836967890000ULL;  // 2024-02-29 12:34:56.789 UTC
    ASSERT_TRUE(platform::SetLastWriteTime(path_, leapDay));
    EXPECT_EQ(LastWriteTimeOf(path_), leapDay);
    ASSERT_TRUE(platform::SetLastWriteTime(path_, leapDay - 3600 * Second));
    EXPECT_EQ(LastWriteTimeOf(path_), leapDay - 3600 * Second);
    ASSERT_TRUE(platform::SetLastWriteTime(path_, leapDay - 3600 * Second + 1));
    EXPECT_EQ(LastWriteTimeOf(path_), leapDay - 3600 * Second + 1) << "a tenth of a microsecond";
}

// ---- The plug-in folder ----

const Utf8String TestEditorKey = "Software\\StemraTests\\SettingsEditor\\";

class PluginFolder : public SettingsFile {
protected:
    void SetUp() override
    {
        SettingsFile::SetUp();
        ASSERT_TRUE(platform::DeleteUserRegistryTree(TestEditorKey));
    }
    void TearDown() override
    {
        platform::SetUserKeyReadOnly(TestEditorKey, false);
        platform::DeleteUserRegistryTree(TestEditorKey);
        platform::SetEnvironmentValue("STEMRA_TEST_FOLDER", u"");
        SettingsFile::TearDown();
    }
    static void SetFolderValue(uint32_t type, const std::string& data)
    {
        ASSERT_TRUE(
            platform::SetUserRegistryValue(TestEditorKey + "Common", "PlugInsFolder", type, data));
    }
    static WideString BesideHost()
    {
        const WideString program = platform::HostExecutablePath();
        return program.substr(0, program.rfind(u'\\') + 1) + u"PlugIns";
    }
};

TEST_F(PluginFolder, WithoutValueIsPlugInsBesideTheHost)
{
    EXPECT_EQ(ReadPluginFolderAt(TestEditorKey), BesideHost());
    ASSERT_TRUE(platform::SetUserRegistryValue(TestEditorKey + "Common", "Other",
                                               platform::RegistryString,
                                               platform::RegistryStringData(u"x")));
    EXPECT_EQ(ReadPluginFolderAt(TestEditorKey), BesideHost());
}

TEST_F(PluginFolder, StringValueIsTakenAsStoredUpToItsEnd)
{
    ASSERT_TRUE(platform::SetEnvironmentValue("STEMRA_TEST_FOLDER", u"C:\\Exp"));
    // The raw data of a value as the "W" functions keep it: UTF-16LE code units.
    const auto units = [](const WideString& text) {
        return WideToUtf16(text, ByteOrder::LittleEndian);
    };
    const std::string sz = "\0\0"s;
    struct Case {
        const char* name;
        uint32_t type;
        std::string data;
        WideString expected;  // empty text here: the default folder
        bool isDefault;
    };
    const Case cases[] = {
        {"plain", platform::RegistryString, units(u"C:\\Tools\\PlugIns") + sz,
         u"C:\\Tools\\PlugIns", false},
        {"trailing backslash", platform::RegistryString, units(u"C:\\P\\") + sz, u"C:\\P\\", false},
        {"no terminating NUL", platform::RegistryString, units(u"D:\\P"), u"D:\\P", false},
        {"an odd byte at the end", platform::RegistryString, units(u"D:\\P") + "\x01", u"D:\\P",
         false},
        {"text after a NUL", platform::RegistryString, units(u"A") + sz + units(u"B") + sz, u"A",
         false},
        {"expandable", platform::RegistryExpandString, units(u"%STEMRA_TEST_FOLDER%\\P") + sz,
         u"C:\\Exp\\P", false},
        {"expandable, unknown variable", platform::RegistryExpandString,
         units(u"%STEMRA_NO_SUCH%\\P") + sz, u"%STEMRA_NO_SUCH%\\P", false},
        {"plain, not expanded", platform::RegistryString, units(u"%STEMRA_TEST_FOLDER%") + sz,
         u"%STEMRA_TEST_FOLDER%", false},
        {"kanji", platform::RegistryString, units(u"C:\\表\\P") + sz, u"C:\\表\\P", false},
        {"a name no one code page spells", platform::RegistryString, units(u"C:\\설정\\表") + sz,
         u"C:\\설정\\表", false},
        {"empty", platform::RegistryString, sz, u"", true},
        {"no data", platform::RegistryString, "", u"", true},
        {"empty, expandable", platform::RegistryExpandString, sz, u"", true},
        {"number", 4, std::string("\x01\x00\x00\x00", 4), u"", true},
        {"binary", 3, units(u"C:\\B") + sz, u"", true},
        {"multi-string", 7, units(u"C:\\M") + sz + sz, u"", true},
    };
    for (const Case& c : cases) {
        SetFolderValue(c.type, c.data);
        EXPECT_EQ(ReadPluginFolderAt(TestEditorKey), c.isDefault ? BesideHost() : c.expected)
            << c.name;
    }
}

// A policy may leave the editor's key readable only: its value still counts.
TEST_F(PluginFolder, ReadOnlyEditorKeyIsStillRead)
{
    SetFolderValue(platform::RegistryString, platform::RegistryStringData(u"C:\\Locked"));
    ASSERT_TRUE(platform::SetUserKeyReadOnly(TestEditorKey, true));
    EXPECT_EQ(ReadPluginFolderAt(TestEditorKey), u"C:\\Locked");
}

TEST(SettingsFileIn, OneBackslashBeforeTheFileName)
{
    EXPECT_EQ(SettingsFileIn(u"C:\\Editor\\PlugIns"), u"C:\\Editor\\PlugIns\\StemraTime.ini");
    EXPECT_EQ(SettingsFileIn(u"C:\\Editor\\PlugIns\\"), u"C:\\Editor\\PlugIns\\StemraTime.ini");
    EXPECT_EQ(SettingsFileIn(u"C:\\表"), u"C:\\表\\StemraTime.ini");
}

// ---- Moving out of Program Files ----

TEST(SettingsLocation, OnlyVistaSevenAndServer2008KeepSettingsOutOfProgramFiles)
{
    struct Case {
        const char* name;
        bool moves;
    };
    const Case cases[] = {
        {"Windows Vista Business(x64) [Service Pack 2]", true},
        {"Windows 7 Ultimate(x64) [Service Pack 1]", true},
        {"Windows 7 ", true},
        {"WindowsServer 2008 Standard Edition", true},
        {"WindowsServer 2008 R2 Datacenter Edition(x64)", true},
        {"WindowsNT6.2 WorkStation", false},
        {"WindowsNT6.1 WorkStation", false},
        {"WindowsXP Professional", false},
        {"WindowsServer 2003 R2 Standard Edition", false},
        {"windows 7 ultimate", false},
        {"Windows Server 2008", false},
        {"Windows7", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepsSettingsOutOfProgramFiles(c.name), c.moves) << c.name;
}

TEST(SettingsLocation, ProgramFilesPartIsReplacedWhateverItsCase)
{
    EXPECT_EQ(MoveToFolder(u"C:\\Program Files\\Host\\PlugIns\\StemraTime.ini",
                           u"C:\\Program Files", u"C:\\Users\\u\\AppData\\Roaming"),
              u"C:\\Users\\u\\AppData\\Roaming\\Host\\PlugIns\\StemraTime.ini");
    EXPECT_EQ(MoveToFolder(u"c:\\PROGRAM FILES\\Host\\c:\\program files\\x.ini",
                           u"C:\\Program Files", u"D:\\A"),
              u"D:\\A\\Host\\c:\\program files\\x.ini");
}

// On the running system (Windows 7 SP1 under Wine and in the stand-in) a path under Program
// Files moves below the application-data folder, whose folders are created.
TEST_F(SettingsFile, PathUnderProgramFilesMovesOnThisSystem)
{
    const WideString programFiles = GetSpecialFolderPath(CSIDL_PROGRAM_FILES);
    const WideString appData = GetSpecialFolderPath(CSIDL_APPDATA);
    ASSERT_FALSE(programFiles.empty());
    ASSERT_TRUE(KeepsSettingsOutOfProgramFiles(GetWindowsVersionName())) << GetWindowsVersionName();
    const WideString host = Utf8ToWideReplacing(
        "StemTestHost" +
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    const WideString below = u"\\" + host + u"\\PlugIns\\StemraTime.ini";

    const WideString moved = AdjustSettingsPath(programFiles + below);
    EXPECT_EQ(moved, appData + below);
    EXPECT_TRUE(platform::PathExists(appData + u"\\" + host + u"\\PlugIns"));
    EXPECT_FALSE(platform::PathExists(appData + below)) << "only folders are made";

    std::error_code ignored;
    std::filesystem::remove_all(HostPath(appData + u"\\" + host), ignored);
}

TEST_F(SettingsFile, PathOutsideProgramFilesStays)
{
    const WideString path = path_;
    EXPECT_EQ(AdjustSettingsPath(path), path);
    EXPECT_EQ(AdjustSettingsPath(u""), u"");
}

TEST_F(SettingsFile, FolderChainIsCreatedWholeOrNotAtAll)
{
    const WideString deep = folder_.File("a\\表\\c");
    CreateFolderChain(deep);
    EXPECT_TRUE(platform::PathExists(folder_.File("a")));
    EXPECT_TRUE(platform::PathExists(deep));
    CreateFolderChain(deep);
    EXPECT_TRUE(platform::PathExists(deep));

    // No system takes a name of 300 characters: "b" is made, then removed again.
    CreateFolderChain(folder_.File("b\\" + std::string(300, 'x')));
    EXPECT_FALSE(platform::PathExists(folder_.File("b")));
}

}  // namespace

}  // namespace stem
