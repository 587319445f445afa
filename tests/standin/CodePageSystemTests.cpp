// The systems a Japanese user runs, by their ANSI code page: Japanese (932), Japanese with
// Windows' UTF-8 option or an editor whose manifest asks for UTF-8 (65001), and English (1252,
// locale en-US). Each inserts the same text but for the locale's own words, reads and keeps
// the settings file in its own encoding, and finds a plug-in folder of any name. Native only:
// the system is the stand-in's to switch.
#include <gtest/gtest.h>

#include <filesystem>

#include "MyLibrary/AccessIniFile/IniDialect.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/UnicodeText.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"
#include "plugin/PluginModule.h"
#include "plugin/PluginRegAccessUnit.h"
#include "tests/support/DefaultSettings.h"
#include "tests/support/EditorNumbers.h"
#include "tests/support/Moments.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

// Each system, with the locale's words for Monday 7 December 2026, 13:05 as Windows gives them:
// the short day name, the era and its year (the Gregorian era where the locale has no Japanese
// calendar) and the afternoon designator.
struct System {
    unsigned codePage;
    const char16_t* day;
    const char16_t* longDay;
    const char16_t* eraAndYear;
    const char16_t* pm;
};
const System Systems[] = {
    {platform::ShiftJisCodePage, u"月", u"月曜日", u"令和08", u"午後"},
    {platform::Utf8CodePage, u"月", u"月曜日", u"令和08", u"午後"},
    {platform::WesternCodePage, u"Mon", u"Monday", u"A.D.26", u"PM"},
};

TDateTime FixedMoment()
{
    return MomentAt(2026, 12, 7, 13, 5, 9);  // a Monday, afternoon
}

std::string ShiftJis(const WideString& text)
{
    return platform::EncodeText(platform::ShiftJisCodePage, text);
}

std::string Utf16Be(const WideString& text)
{
    return "\xFE\xFF" + WideToUtf16(text, ByteOrder::BigEndian);
}

class CodePageSystem : public ::testing::Test {
protected:
    void TearDown() override { standin::ResetAll(); }

    // The editor names the folder in its registry value.
    void UseSystem(const System& system, const WideString& pluginFolder)
    {
        ASSERT_TRUE(standin::SetAnsiCodePage(system.codePage));
        standin::SetHostExecutablePath(u"C:\\Editor\\Editor.exe");
        std::filesystem::create_directories(standin::ToPosixPath(pluginFolder));
        ASSERT_TRUE(platform::SetUserRegistryValue(std::string(EditorRegistryKey) + "Common",
                                                   "PlugInsFolder", platform::RegistryString,
                                                   platform::RegistryStringData(pluginFolder)));
    }

    // What each press of one run inserts into the document "<>".
    static std::vector<WideString> Presses(const PluginTraits& traits, int count)
    {
        SimulatedEditor editor;
        const platform::HostWindow window = platform::CreateHostWindow(editor);
        PluginModule module{traits, FixedMoment};
        module.OnEvents(window, StartUpEvent, 0);
        editor.SetText(u"<>", 1);
        std::vector<WideString> inserted;
        for (int i = 0; i < count; ++i) {
            module.OnCommand(window);
            inserted.push_back(editor.Text().substr(1, editor.Text().size() - 2));
        }
        platform::DestroyHostWindow(window);
        return inserted;
    }

    static std::string FileBytes(const WideString& path)
    {
        std::string bytes;
        platform::ReadWholeFile(path, bytes);
        return bytes;
    }

    TempFolder folder_;
};

// Every default of both plug-ins, and the file the first presses write: Shift-JIS on every
// system, so that the file is the same on every machine.
TEST_F(CodePageSystem, DefaultsInsertAndSaveAlikeOnEverySystem)
{
    const WideString calendarTop = u"2026年12月\r\n日  月  火  水  木  金  土\r\n";
    for (const System& system : Systems) {
        SCOPED_TRACE(system.codePage);
        const WideString day = system.day;
        const std::vector<WideString> date = {
            u"2026/12/07(" + day + u")",
            u"2026/12/07(Mon)",
            u"2026/12/07",
            u"12/07" + day,
            u"2026年12月07日(" + day + u")",
            system.eraAndYear + (u"年12月07日(" + day + u")"),
            u"Mon, 07 Dec 2026",
            u"Monday, 07 December 2026",
        };
        const std::vector<WideString> time = {
            u" 13:05",
            u" 13:05:09",
            u" 01:05 pm",
            u" 13時05分",
            u" " + (system.pm + WideString(u"01時05分")),
            u" 130509",
            u" 13-05-09",
        };
        const WideString pluginFolder = folder_.Path() + u"\\PlugIns";
        UseSystem(system, pluginFolder);
        const std::vector<WideString> dates = Presses(DatePluginTraits, 10);
        EXPECT_EQ(std::vector<WideString>(dates.begin(), dates.begin() + 8), date);
        EXPECT_EQ(dates[8].substr(0, calendarTop.size()), calendarTop);
        EXPECT_EQ(dates[9].substr(0, calendarTop.size()), calendarTop);
        EXPECT_NE(dates[8], dates[9]) << "blank cells, then the neighbouring months' days";
        EXPECT_EQ(Presses(TimePluginTraits, 7), time);
        EXPECT_EQ(FileBytes(pluginFolder + u"\\StemraTime.ini"),
                  DateDefaultsText + TimeDefaultsText);
        std::filesystem::remove_all(standin::ToPosixPath(pluginFolder));
    }
}

// On every system a file without a byte-order mark is UTF-8 when its bytes are, and Shift-JIS
// otherwise; the defaults are added in the encoding it was read in, and a file that cannot be
// kept exactly is never written.
TEST_F(CodePageSystem, SettingsFileKeepsItsEncodingOnEverySystem)
{
    const std::string utf8Mark = "\xEF\xBB\xBF";
    const WideString userTime = u"[TimeFormat]\r\nItem01=hh時\r\n";
    const WideString fullWidth = u"[DateFormat]\r\nItem01=ｙｙｙｙ年ｍ月ｄ日\r\n";
    const WideString dateDefaults =
        platform::DecodeText(platform::ShiftJisCodePage, DateDefaultsText);
    struct Case {
        const char* name;
        std::string before;
        std::string after;  // empty: as before
        bool defaults;      // the press inserts the first default, else the full-width date
    };
    const Case cases[] = {
        {"UTF-8", WideToUtf8(userTime), WideToUtf8(userTime + dateDefaults), true},
        {"Shift-JIS", ShiftJis(userTime), ShiftJis(userTime) + DateDefaultsText, true},
        {"ASCII alone", "[TimeFormat]\r\nItem01=hh\r\n",
         "[TimeFormat]\r\nItem01=hh\r\n" + DateDefaultsText, true},
        {"UTF-8 with a mark", utf8Mark + WideToUtf8(userTime),
         utf8Mark + WideToUtf8(userTime + dateDefaults), true},
        {"UTF-16BE", Utf16Be(userTime), Utf16Be(userTime + dateDefaults), true},
        {"full-width pattern, UTF-8", WideToUtf8(fullWidth), "", false},
        {"full-width pattern, Shift-JIS", ShiftJis(fullWidth), "", false},
        // Neither encoding holds it exactly: read as Shift-JIS, kept as it is.
        {"UTF-8 and Shift-JIS mixed", WideToUtf8(userTime) + ShiftJis(u"Item02=hh時\r\n"), "",
         true},
    };
    for (const System& system : Systems) {
        UseSystem(system, folder_.Path());
        const WideString path = folder_.File("StemraTime.ini");
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " on " + std::to_string(system.codePage));
            ASSERT_TRUE(platform::WriteNewFile(path, c.before));
            const WideString inserted = c.defaults ? u"2026/12/07(" + WideString(system.day) + u")"
                                                   : u"２０２６年１２月７日";
            EXPECT_EQ(Presses(DatePluginTraits, 1), std::vector<WideString>{inserted});
            EXPECT_EQ(FileBytes(path), c.after.empty() ? c.before : c.after);
        }
    }
}

// A folder named in Japanese, with a trailing backslash: in Shift-JIS the second byte of 表 and
// of ソ is "\"; in UTF-8 the last byte of 月 (E6 9C 88) is a Shift-JIS lead byte. And a folder
// named in Korean, which no Japanese or English code page spells. The same characters before
// "]" and "=" in the file.
TEST_F(CodePageSystem, FolderOfAnyNameAndMarksAfterOtherCharacters)
{
    for (const System& system : Systems) {
        for (const WideString name : {u"表", u"ソ", u"月", u"설정"}) {
            SCOPED_TRACE(WideToUtf8(name) + " on " + std::to_string(system.codePage));
            const WideString folder = folder_.Path() + u"\\" + name;
            UseSystem(system, folder + u"\\");
            EXPECT_EQ(ReadPluginFolder(), folder + u"\\");
            EXPECT_EQ(Presses(DatePluginTraits, 1),
                      std::vector<WideString>{u"2026/12/07(" + WideString(system.day) + u")"});
            EXPECT_EQ(FileBytes(folder + u"\\StemraTime.ini"), DateDefaultsText);
            EXPECT_EQ(ExtractFolder(folder + u"\\x"), folder);

            const Utf8String heldName = WideToUtf8(name);
            EXPECT_EQ(SectionNameOf("[" + heldName + "]"), heldName);
            EXPECT_EQ(KeyPartOf(heldName + "=v"), heldName);
            std::filesystem::remove_all(standin::ToPosixPath(folder));
        }
    }
}

}  // namespace

}  // namespace stem
