// A Japanese system whose ANSI code page is UTF-8 (Windows' UTF-8 option, or an editor whose
// manifest asks for it): the plug-ins' own text, the settings file and the folder value come out
// as on code page 932. Native only: the code page is the stand-in's to switch.
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

constexpr unsigned CodePages[] = {platform::ShiftJisCodePage, platform::Utf8CodePage};

TDateTime FixedMoment()
{
    return MomentAt(2026, 12, 7, 13, 5, 9);  // a Monday, afternoon
}

std::string ShiftJis(const WideString& text)
{
    return platform::EncodeText(platform::ShiftJisCodePage, text);
}

class CodePageSystem : public ::testing::Test {
protected:
    void TearDown() override { standin::ResetAll(); }

    // The editor names the folder in its registry value, in the ANSI code page.
    void UsePage(unsigned codePage, const WideString& pluginFolder)
    {
        standin::SetAnsiCodePage(codePage);
        standin::SetHostExecutablePath("C:\\Editor\\Editor.exe");
        std::filesystem::create_directories(
            standin::ToPosixPath(platform::WideToAnsi(pluginFolder)));
        ASSERT_TRUE(platform::SetUserRegistryValue(std::string(EditorRegistryKey) + "Common",
                                                   "PlugInsFolder", platform::RegistryString,
                                                   platform::WideToAnsi(pluginFolder)));
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

    std::string FileBytes(const WideString& path) const
    {
        std::string bytes;
        platform::ReadWholeFile(platform::WideToAnsi(path), bytes);
        return bytes;
    }

    TempFolder folder_;
};

// Every default of both plug-ins, and the file the first presses write: Shift-JIS on both
// pages, so that the file is the same on every machine.
TEST_F(CodePageSystem, DefaultsInsertAndSaveAlikeOnBothPages)
{
    const std::vector<WideString> date = {
        u"2026/12/07(月)",   u"2026/12/07(Mon)",          u"2026/12/07",
        u"12/07月",          u"2026年12月07日(月)",       u"令和08年12月07日(月)",
        u"Mon, 07 Dec 2026", u"Monday, 07 December 2026",
    };
    const std::vector<WideString> time = {u" 13:05",    u" 13:05:09",     u" 01:05 pm",
                                          u" 13時05分", u" 午後01時05分", u" 130509",
                                          u" 13-05-09"};
    const WideString calendarTop = u"2026年12月\r\n日  月  火  水  木  金  土\r\n";
    for (const unsigned codePage : CodePages) {
        SCOPED_TRACE(codePage);
        const WideString pluginFolder = platform::AnsiToWide(folder_.Path()) + u"\\PlugIns";
        UsePage(codePage, pluginFolder);
        const std::vector<WideString> dates = Presses(DatePluginTraits, 10);
        EXPECT_EQ(std::vector<WideString>(dates.begin(), dates.begin() + 8), date);
        EXPECT_EQ(dates[8].substr(0, calendarTop.size()), calendarTop);
        EXPECT_EQ(dates[9].substr(0, calendarTop.size()), calendarTop);
        EXPECT_NE(dates[8], dates[9]) << "blank cells, then the neighbouring months' days";
        EXPECT_EQ(Presses(TimePluginTraits, 7), time);
        EXPECT_EQ(FileBytes(pluginFolder + u"\\StemraTime.ini"),
                  DateDefaultsText + TimeDefaultsText);
        std::filesystem::remove_all(standin::ToPosixPath(platform::WideToAnsi(pluginFolder)));
    }
}

// Where the page is UTF-8, a file without a byte-order mark is UTF-8 when its bytes are, and
// Shift-JIS otherwise; the defaults are added in the encoding it was read in, and a file that
// cannot be kept exactly is never written.
TEST_F(CodePageSystem, SettingsFileKeepsItsEncodingWhereThePageIsUtf8)
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
        WideString inserted;
    };
    const Case cases[] = {
        {"UTF-8", WideToUtf8(userTime), WideToUtf8(userTime + dateDefaults), u"2026/12/07(月)"},
        {"Shift-JIS", ShiftJis(userTime), ShiftJis(userTime) + DateDefaultsText, u"2026/12/07(月)"},
        {"ASCII alone", "[TimeFormat]\r\nItem01=hh\r\n",
         "[TimeFormat]\r\nItem01=hh\r\n" + DateDefaultsText, u"2026/12/07(月)"},
        {"UTF-8 with a mark", utf8Mark + WideToUtf8(userTime),
         utf8Mark + WideToUtf8(userTime + dateDefaults), u"2026/12/07(月)"},
        {"full-width pattern, UTF-8", WideToUtf8(fullWidth), "", u"２０２６年１２月７日"},
        {"full-width pattern, Shift-JIS", ShiftJis(fullWidth), "", u"２０２６年１２月７日"},
        // Neither encoding holds it exactly: read as Shift-JIS, kept as it is.
        {"UTF-8 and Shift-JIS mixed", WideToUtf8(userTime) + ShiftJis(u"Item02=hh時\r\n"), "",
         u"2026/12/07(月)"},
    };
    UsePage(platform::Utf8CodePage, platform::AnsiToWide(folder_.Path()));
    const AnsiString path = folder_.File("StemraTime.ini");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::WriteNewFile(path, c.before));
        EXPECT_EQ(Presses(DatePluginTraits, 1), std::vector<WideString>{c.inserted});
        EXPECT_EQ(FileBytes(platform::AnsiToWide(path)), c.after.empty() ? c.before : c.after);
    }
}

// A folder named in Japanese, with a trailing backslash: in Shift-JIS the second byte of 表 and
// of ソ is "\"; in UTF-8 the last byte of 月 (E6 9C 88) is a Shift-JIS lead byte, which must not
// swallow the "\" after it. The same characters before "]" and "=" in the file.
TEST_F(CodePageSystem, JapaneseFolderAndMarksAfterJapaneseCharacters)
{
    for (const unsigned codePage : CodePages) {
        for (const WideString name : {u"表", u"ソ", u"月"}) {
            SCOPED_TRACE(codePage);
            const WideString folder = platform::AnsiToWide(folder_.Path()) + u"\\" + name;
            UsePage(codePage, folder + u"\\");
            EXPECT_EQ(ReadPluginFolder(), folder + u"\\");
            EXPECT_EQ(Presses(DatePluginTraits, 1), std::vector<WideString>{u"2026/12/07(月)"});
            EXPECT_EQ(FileBytes(folder + u"\\StemraTime.ini"), DateDefaultsText);
            EXPECT_EQ(platform::AnsiToWide(ExtractFolder(platform::WideToAnsi(folder + u"\\x"))),
                      folder);

            const AnsiString ansiName = platform::WideToAnsi(name);
            EXPECT_EQ(SectionNameOf("[" + ansiName + "]"), ansiName);
            EXPECT_EQ(KeyPartOf(ansiName + "=v"), ansiName);
            std::filesystem::remove_all(standin::ToPosixPath(platform::WideToAnsi(folder)));
        }
    }
}

}  // namespace

}  // namespace stem
