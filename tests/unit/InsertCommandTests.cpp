// The insert command end to end inside one module: settings file on disk, simulated editor,
// a fixed clock. Runs the same in the native build and under Wine.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"
#include "base/UnicodeText.h"
#include "host/SimulatedEditor.h"
#include "platform/Platform.h"
#include "plugin/PluginModule.h"
#include "tests/support/DefaultSettings.h"
#include "tests/support/EditorNumbers.h"
#include "tests/support/Moments.h"
#include "tests/support/TempFolder.h"

namespace stem {

using namespace std::string_literals;

namespace {

// Monday 7 December 2026, 13:05:09.250.
TDateTime FixedMoment()
{
    return MomentAt(2026, 12, 7, 13, 5, 9, 250);
}

class InsertCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = platform::CreateHostWindow(editor_);
        for (PluginModule* module : {&date_, &time_}) {
            module->SetPluginFolder(folder_.Path());
            module->OnEvents(window_, StartUpEvent, 0);
        }
    }
    void TearDown() override { platform::DestroyHostWindow(window_); }

    WideString SettingsFile() const { return folder_.File("StemraTime.ini"); }

    // Rewrites the settings file with a last-write time of its own, as an edit.
    void WriteSettings(const std::string& text)
    {
        ASSERT_TRUE(WriteEditedFile(SettingsFile(), text));
    }

    // Rewrites the settings file and gives it back its last-write time, so that only a press
    // that reads the file anyway sees the new text.
    void RewriteKeepingTime(const std::string& text)
    {
        platform::FoundFileTimes times;
        ASSERT_TRUE(platform::FindFileTimes(SettingsFile(), times));
        ASSERT_TRUE(platform::WriteNewFile(SettingsFile(), text));
        ASSERT_TRUE(platform::SetLastWriteTime(SettingsFile(), times.lastWritten));
    }

    std::string ReadSettings() const
    {
        std::string bytes;
        EXPECT_EQ(platform::ReadWholeFile(SettingsFile(), bytes), platform::FileStatus::Ok);
        return bytes;
    }

    TempFolder folder_;
    SimulatedEditor editor_;
    platform::HostWindow window_ = nullptr;
    PluginModule date_{DatePluginTraits, FixedMoment};
    PluginModule time_{TimePluginTraits, FixedMoment};
};

TEST_F(InsertCommand, FirstPressCreatesTheDefaultsAndInsertsTheFirstPattern)
{
    editor_.SetText(u"<>", 1);
    date_.OnCommand(window_);
    // yyyy/mm/dd(aaa) with the locale's short weekday name, 月 for Monday.
    EXPECT_EQ(editor_.Text(), u"<2026/12/07(\u6708)>");
    EXPECT_EQ(date_.State().lastInsertLength, 13);
    EXPECT_TRUE(date_.State().consecutivePress);
    EXPECT_EQ(date_.State().formatList->TextCount(), 11);
    EXPECT_EQ(ReadSettings().substr(0, 46), "[DateFormat]\r\nItem01=yyyy/mm/dd(aaa)\r\nItem02=y");
}

TEST_F(InsertCommand, TwoPatternsCycleInsertReplaceRemoveAndInsertAgain)
{
    WriteSettings("[DateFormat]\r\nItem01=yyyy\r\nItem02=mm/dd\r\n");
    editor_.SetText(u"ab", 1);
    const WideString expected[] = {u"a2026b", u"a12/07b", u"ab", u"a2026b", u"a12/07b"};
    for (const WideString& text : expected) {
        date_.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), text);
    }
    EXPECT_EQ(date_.State().patternIndex, 1);
}

// After the event, the second press starts again (13 then 13) or goes on with the run,
// replacing the 13 by the minutes.
TEST_F(InsertCommand, OnlyTheRunEndingEventsStartANewRun)
{
    WriteSettings("[TimeFormat]\r\nItem01=hh\r\nItem02=nn\r\n");
    const struct {
        uint32_t event;
        const char16_t* text;
    } cases[] = {
        {0x20u, u"1313"}, {0x10u, u"1313"}, {0x40000u, u"1313"},
        {0x01u, u"05"},   {0x40u, u"05"},   {0x80000u, u"05"},
    };
    for (const auto& c : cases) {
        PluginModule module{TimePluginTraits, FixedMoment};
        module.SetPluginFolder(folder_.Path());
        editor_.SetText(u"", 0);
        module.OnCommand(window_);
        module.OnEvents(window_, c.event, 0);
        module.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), c.text) << "event " << c.event;
    }
}

// The editor may report an event while it inserts the plug-in's text; the press marks the run
// as going on after its last request, so the next press still replaces that text.
TEST_F(InsertCommand, EventDuringTheInsertDoesNotEndTheRun)
{
    WriteSettings("[DateFormat]\r\nItem01=yyyy\r\nItem02=mm/dd\r\n");
    editor_.SetText(u"ab", 1);
    editor_.DuringNextRequest(RequestInsertText, [&] { date_.OnEvents(window_, Event20, 0); });
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"a2026b");
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"a12/07b");
}

TEST_F(InsertCommand, EmptyRenderingSelectsNothingOnTheNextPress)
{
    WriteSettings("[DateFormat]\r\nItem01=\r\nItem02=dd\r\n");
    editor_.SetText(u"xy", 1);
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"xy");
    EXPECT_EQ(date_.State().lastInsertLength, 0);
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"x07y");
}

TEST_F(InsertCommand, OnlyTheExactCalendarWordsInsertTheCalendar)
{
    WriteSettings("[DateFormat]\r\nItem01=Calendar2\r\nItem02=calendar2\r\n"
                  "[TimeFormat]\r\nItem01=Calendar1\r\n");
    date_.OnCommand(window_);
    const WideString calendar =
        BuildMonthCalendar(CalendarMode::NeighbourDayCells, u"  ", FixedMoment());
    EXPECT_EQ(editor_.Text(), calendar);
    EXPECT_EQ(date_.State().lastInsertLength, static_cast<int32_t>(calendar.size()));

    // "calendar2" is a pattern: c, a (weekday), l, e (era year), n (minute), d, a, r, 2. The
    // era year is left out of the comparison: Wine has no era calendar.
    const auto expectPattern = [this](const WideString& head, const WideString& tail) {
        const WideString& text = editor_.Text();
        ASSERT_GE(text.size(), head.size() + tail.size());
        EXPECT_EQ(text.substr(0, head.size()), head);
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    };
    date_.OnCommand(window_);
    expectPattern(u"cMonl", u"57Monr2");

    editor_.SetText(u"", 0);
    time_.OnCommand(window_);
    expectPattern(u"CMonl", u"57Monr1");
}

TEST_F(InsertCommand, EditToFewerPatternsReloadsWrapsAndStillReplaces)
{
    WriteSettings("[DateFormat]\r\nItem01=yyyy\r\nItem02=mm\r\nItem03=dd\r\n");
    editor_.SetText(u"", 0);
    date_.OnCommand(window_);
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"12");
    WriteSettings("[DateFormat]\r\nItem01=yy\r\n");
    date_.OnCommand(window_);  // index 2 reaches the new count 2: wraps to the first pattern
    EXPECT_EQ(editor_.Text(), u"26");
    EXPECT_EQ(date_.State().formatList->TextCount(), 2);
}

// The presses of a module that has had no start-up event yet, and the first press after a
// start-up or after the shut-down event, are each the first press of a start-up: it locates
// and reads the file (whose time has not changed here), inserts pattern 1 after what the run
// before left, and starts a new run.
TEST_F(InsertCommand, PressBeforeStartUpOrAfterStartUpOrShutDownStartsOver)
{
    for (const uint32_t event : {StartUpEvent, ShutDownEvent}) {
        SCOPED_TRACE(event == StartUpEvent ? "start-up" : "shut-down");
        WriteSettings("[DateFormat]\r\nItem01=d\r\nItem02=m\r\n");
        PluginModule module{DatePluginTraits, FixedMoment};
        module.SetPluginFolder(folder_.Path());
        editor_.SetText(u"", 0);
        module.OnCommand(window_);
        module.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"12") << "no start-up yet: 7, then 12 in its place";
        module.OnEvents(window_, event, 0);
        RewriteKeepingTime("[DateFormat]\r\nItem01=yy\r\n");
        module.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"1226");
        module.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"12") << "the new run goes on: the empty entry replaces 26";
    }
}

// Every request a press sends the editor, in order (message and wParam). A press over the
// user's selection sends no selection request: the insertion replaces the selection.
TEST_F(InsertCommand, EachKindOfPressSendsExactlyItsRequests)
{
    WriteSettings("[DateFormat]\r\nItem01=yyyy\r\nItem02=mm/dd\r\n");
    using Requests = std::vector<std::pair<uint32_t, uintptr_t>>;
    const Requests firstPress = {{0x81A, 2}, {0x80D, 0}, {0x834, 0}, {0x81A, 2}, {0x80D, 0}};
    struct Row {
        const char* what;
        bool inRun;        // a press just before, with nothing in between
        int32_t selected;  // what the user selected from the caret
        Requests requests;
        WideString after;
    };
    const Row rows[] = {
        {"first press", false, 0, firstPress, u"a2026bcd"},
        {"first press over a selection", false, 2, firstPress, u"a2026d"},
        {"press in a run",
         true,
         0,
         {{0x81A, 2},
          {0x80D, 0},
          {0x811, 1},  // the caret, 5, less the 4 characters the press before inserted
          {0x812, 2},
          {0x81C, 4},
          {0x81A, 2},
          {0x80D, 0},
          {0x834, 0},
          {0x81A, 2},
          {0x80D, 0}},
         u"a12/07bcd"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        date_.OnEvents(window_, Event20, 0);
        editor_.SetText(u"abcd", 1);
        if (row.inRun)
            date_.OnCommand(window_);
        if (row.selected != 0)
            editor_.Receive(RequestSelectLength, static_cast<uintptr_t>(row.selected), 0);
        editor_.ClearLog();
        date_.OnCommand(window_);
        Requests sent;
        for (const EditorRequest& request : editor_.Requests())
            sent.emplace_back(request.message, request.wParam);
        EXPECT_EQ(sent, row.requests);
        EXPECT_EQ(editor_.Text(), row.after);
    }
}

TEST_F(InsertCommand, DeletedFileGetsTheDefaultsAgain)
{
    WriteSettings("[DateFormat]\r\nItem01=d\r\n");
    date_.OnCommand(window_);
    ASSERT_TRUE(platform::RemoveFile(SettingsFile()));
    date_.OnEvents(window_, Event20, 0);
    editor_.SetText(u"", 0);
    date_.OnCommand(window_);
    EXPECT_EQ(date_.State().formatList->TextCount(), 11) << "defaults written and loaded";
    EXPECT_EQ(date_.State().settingsFileTime, 0u) << "the time read before the defaults";
    date_.OnCommand(window_);
    EXPECT_NE(date_.State().settingsFileTime, 0u) << "the re-created file reloads once more";
}

TEST_F(InsertCommand, BothPluginsShareOneFileAndEachReloadsAfterTheOtherWrites)
{
    date_.OnCommand(window_);
    // The date plug-in loads its own save, dated a second back: the time plug-in's save is later
    // whatever the clock's resolution, and it alone makes the date plug-in's next press reload.
    platform::FoundFileTimes saved;
    ASSERT_TRUE(platform::FindFileTimes(SettingsFile(), saved));
    ASSERT_TRUE(platform::SetLastWriteTime(SettingsFile(), saved.lastWritten - 10'000'000));
    date_.OnEvents(window_, Event20, 0);
    date_.OnCommand(window_);
    const platform::FileTime dateLoaded = date_.State().settingsFileTime;
    ASSERT_EQ(dateLoaded, saved.lastWritten - 10'000'000);
    editor_.SetText(u"", 0);
    time_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u" 13:05");
    EXPECT_EQ(time_.State().formatList->TextCount(), 8);
    date_.OnEvents(window_, Event20, 0);
    date_.OnCommand(window_);
    EXPECT_NE(date_.State().settingsFileTime, dateLoaded) << "the time plug-in's write is seen";
    const std::string file = ReadSettings();
    EXPECT_NE(file.find("[DateFormat]"), std::string::npos);
    EXPECT_NE(file.find("[TimeFormat]\r\nItem01=\" hh:nn\"\r\n"), std::string::npos);
}

// The folder does not exist: the defaults cannot be saved, so the presses use them from memory
// and make nothing on the disk. A file that appears there later is loaded at the next press.
TEST_F(InsertCommand, NoStartUpEventAndNoFolderStillInsertTheDefaults)
{
    PluginModule fresh{DatePluginTraits, FixedMoment};
    const WideString missing = folder_.File("missing");
    fresh.SetPluginFolder(missing);
    editor_.SetText(u"<>", 1);
    fresh.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"<2026/12/07(\u6708)>");
    fresh.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"<2026/12/07(Mon)>");
    EXPECT_FALSE(platform::PathExists(missing));
    EXPECT_NE(fresh.State().settingsTrouble.find("does not exist"), std::string::npos)
        << fresh.State().settingsTrouble;

    ASSERT_TRUE(platform::CreateFolder(missing));
    ASSERT_TRUE(
        platform::WriteNewFile(missing + u"\\StemraTime.ini", "[DateFormat]\r\nItem01=dd\r\n"));
    fresh.OnEvents(window_, Event20, 0);
    fresh.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"<2026/12/07(Mon)07>");
    EXPECT_EQ(fresh.State().settingsTrouble, "");
}

TEST_F(InsertCommand, UnicodeSettingsFilesRenderTheirTextAndKeepTheirEncoding)
{
    // UTF-8 with its mark: [DateFormat] Item01=yyyy年 (年 = E5 B9 B4).
    WriteSettings("\xEF\xBB\xBF[DateFormat]\r\nItem01=yyyy\xE5\xB9\xB4\r\n");
    editor_.SetText(u"", 0);
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"2026\u5E74");

    // UTF-8 without a mark, as Notepad saves a new file: the time defaults join it as UTF-8.
    const std::string utf8 = "[DateFormat]\r\nItem01=yyyy年mm月dd日\r\n";
    WriteSettings(utf8);
    date_.OnEvents(window_, StartUpEvent, 0);
    editor_.SetText(u"", 0);
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"2026年12月07日");
    time_.OnCommand(window_);
    EXPECT_EQ(ReadSettings(), utf8 + WideToUtf8(platform::DecodeText(platform::ShiftJisCodePage,
                                                                     TimeDefaultsText)));

    // UTF-16 with its mark, either byte order, and only the time section: the date defaults
    // join it in its own encoding.
    const std::string utf16 = "\xFF\xFE[\0T\0i\0m\0e\0F\0o\0r\0m\0a\0t\0]\0\r\0\n\0"
                              "I\0t\0e\0m\0\x30\0\x31\0=\0h\0h\0\r\0\n\0"s;
    const std::string dateHeader = "[\0D\0a\0t\0e\0F\0o\0r\0m\0a\0t\0]\0"s;
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "UTF-16BE" : "UTF-16LE");
        const auto inOrder = [bigEndian](std::string bytes) {
            for (size_t i = 0; bigEndian && i + 1 < bytes.size(); i += 2)
                std::swap(bytes[i], bytes[i + 1]);
            return bytes;
        };
        WriteSettings(inOrder(utf16));
        date_.OnEvents(window_, StartUpEvent, 0);
        time_.OnEvents(window_, StartUpEvent, 0);
        editor_.SetText(u"", 0);
        date_.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"2026/12/07(\u6708)");
        const std::string file = ReadSettings();
        EXPECT_EQ(file.substr(0, utf16.size()), inOrder(utf16)) << "the time section stays";
        EXPECT_NE(file.find(inOrder(dateHeader)), std::string::npos);
        editor_.SetText(u"", 0);
        time_.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"13");
    }
}

// A file the plug-ins never write (a NUL byte after the time section, or the read-only
// attribute) without the date section: the date press inserts its defaults from memory, the
// time press its own pattern, and the file keeps every byte.
TEST_F(InsertCommand, SettingsFileThatCannotBeWrittenGivesTheDefaultsFromMemory)
{
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "NUL inside");
        const std::string text =
            readOnly ? "[TimeFormat]\r\nItem01=hh\r\n" : "[TimeFormat]\r\nItem01=hh\r\n\0junk"s;
        WriteSettings(text);
        const ReadOnlyFile attribute(SettingsFile(), readOnly);
        ASSERT_TRUE(attribute.Set());
        for (PluginModule* module : {&date_, &time_})
            module->OnEvents(window_, StartUpEvent, 0);
        editor_.SetText(u"ab", 1);
        date_.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"a2026/12/07(\u6708)b");
        time_.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"a2026/12/07(\u6708)13b");
        date_.OnEvents(window_, Event20, 0);
        date_.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"a2026/12/07(\u6708)132026/12/07(\u6708)b") << "a new run";
        EXPECT_EQ(ReadSettings(), text);
        EXPECT_EQ(platform::IsReadOnlyFile(SettingsFile()), readOnly);
    }
}

// Another program holds the edited file open at the press: the press uses the patterns read
// last, then the first press after the file is free again reads it. A file locked from the
// start gives the defaults until it can be read.
TEST_F(InsertCommand, LockedFileKeepsThePatternsReadLastUntilItCanBeRead)
{
    WriteSettings("[DateFormat]\r\nItem01=yyyy\r\n");
    editor_.SetText(u"", 0);
    date_.OnCommand(window_);
    WriteSettings("[DateFormat]\r\nItem01=dd\r\n");
    HeldFile holder(SettingsFile());
    ASSERT_TRUE(holder.Held());
    date_.OnEvents(window_, Event20, 0);
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"20262026");
    time_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"20262026 13:05") << "the time plug-in's defaults";
    // The reason reaches stem press, which prints the trouble of each press.
    EXPECT_NE(date_.State().settingsTrouble.find("cannot read"), std::string::npos)
        << date_.State().settingsTrouble;
    EXPECT_NE(date_.State().settingsTrouble.find("another program holds it"), std::string::npos);
    holder.Release();

    date_.OnEvents(window_, Event20, 0);
    date_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"20262026 13:0507");
    EXPECT_EQ(date_.State().settingsTrouble, "");
    time_.OnEvents(window_, Event20, 0);
    time_.OnCommand(window_);
    EXPECT_EQ(editor_.Text(), u"20262026 13:0507 13:05") << "the defaults are saved now";
    EXPECT_NE(ReadSettings().find("[TimeFormat]\r\nItem01=\" hh:nn\"\r\n"), std::string::npos);
}

}  // namespace

}  // namespace stem
