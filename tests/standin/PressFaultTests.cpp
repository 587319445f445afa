// A press while one platform call after another fails: the host gets no exception, the press
// inserts all the same (from the patterns read last, or the defaults), the settings file is as
// it was or whole and new, no temporary file stays behind, and the first press after the fault
// has cleared works. Then folders that may not be changed. Native only: the faults and the
// folder rights come from the stand-in.
#include <gtest/gtest.h>

#include <filesystem>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "MyLibrary/StringUnit/StringUnit.h"
#include "base/Errors.h"
#include "base/UnicodeText.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"
#include "plugin/PluginModule.h"
#include "plugin/PluginRegAccessUnit.h"
#include "plugin/SettingsFile.h"
#include "tests/support/DefaultSettings.h"
#include "tests/support/EditorNumbers.h"
#include "tests/support/Moments.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

TDateTime FixedMoment()
{
    return MomentAt(2026, 12, 7, 13, 5, 9);
}

const WideString AppDataFolder = u"C:\\Users\\tester\\AppData\\Roaming";

// The first date default, yyyy/mm/dd(aaa), at the fixed moment.
const WideString FirstDateDefault = u"2026/12/07(\u6708)";

struct Scenario {
    const char* name;
    WideString pluginFolder;  // the registry value
    WideString settingsFile;  // where the settings end up
    const char* before;       // the file before the press; null for no file
    std::string whole;        // the file once a press added the defaults
    // When set: one clean press on `before`, then this text, and the run ends.
    const char* editedBefore;
    WideString inserted;        // what the press inserts when the file can be read
    WideString insertedUnread;  // and when it cannot
};

const Scenario Scenarios[] = {
    {"first press, no file yet", u"C:\\work", u"C:\\work\\StemraTime.ini", nullptr,
     DateDefaultsText, nullptr, FirstDateDefault, FirstDateDefault},
    {"first press, only the other plug-in's section", u"C:\\work", u"C:\\work\\StemraTime.ini",
     "[TimeFormat]\r\nItem01=hh\r\n", "[TimeFormat]\r\nItem01=hh\r\n" + DateDefaultsText, nullptr,
     FirstDateDefault, FirstDateDefault},
    {"reload after an edit", u"C:\\work", u"C:\\work\\StemraTime.ini",
     "[DateFormat]\r\nItem01=yyyy\r\n", "", "[DateFormat]\r\nItem01=mm\r\n", u"12", u"2026"},
    {"settings moved out of Program Files", u"C:\\Program Files\\Editor\\PlugIns",
     AppDataFolder + u"\\Editor\\PlugIns\\StemraTime.ini", nullptr, DateDefaultsText, nullptr,
     FirstDateDefault, FirstDateDefault},
};

bool BlocksReading(standin::Fault fault)
{
    return fault == standin::Fault::OpenForRead || fault == standin::Fault::Read;
}

class PressFault : public ::testing::TestWithParam<standin::Fault> {
protected:
    void SetUp() override
    {
        standin::SetSpecialFolder(26, AppDataFolder);
        standin::SetHostExecutablePath(u"C:\\Editor\\Editor.exe");
        std::filesystem::create_directories(standin::ToPosixPath(u"C:\\Editor\\PlugIns"));
        window_ = platform::CreateHostWindow(editor_);
    }

    void TearDown() override
    {
        standin::ClearFaults();
        platform::DestroyHostWindow(window_);
    }

    static bool ReadFile(const WideString& path, std::string& bytes)
    {
        return platform::ReadWholeFile(path, bytes) == platform::FileStatus::Ok;
    }

    static void WriteFile(const WideString& path, const std::string& bytes)
    {
        std::filesystem::create_directories(standin::ToPosixPath(ExtractFolder(path)));
        ASSERT_TRUE(WriteEditedFile(path, bytes));
    }

    static bool TemporaryFileLeft()
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(standin::FileRoot()))
            if (entry.path().extension() == ".saving")
                return true;
        return false;
    }

    // A new run on an empty document: the press inserts the text.
    void ExpectPressInserts(PluginModule& module, const WideString& text)
    {
        module.OnEvents(window_, Event20, 0);
        editor_.SetText(u"<>", 1);
        module.OnCommand(window_);
        EXPECT_EQ(editor_.Text(), u"<" + text + u">");
        EXPECT_TRUE(module.State().consecutivePress);
    }

    TempFolder folder_;
    SimulatedEditor editor_;
    platform::HostWindow window_ = nullptr;
};

TEST_P(PressFault, PressSurvivesAndKeepsTheSettingsFileWhole)
{
    const standin::Fault fault = GetParam();
    for (const Scenario& s : Scenarios) {
        SCOPED_TRACE(s.name);
        standin::ClearRegistry();
        ASSERT_TRUE(platform::SetUserRegistryValue(std::string(EditorRegistryKey) + "Common",
                                                   "PlugInsFolder", platform::RegistryString,
                                                   platform::RegistryStringData(s.pluginFolder)));
        std::filesystem::remove_all(standin::FileRoot());
        std::filesystem::create_directories(standin::ToPosixPath(u"C:\\Editor\\PlugIns"));
        std::filesystem::create_directories(standin::ToPosixPath(u"C:\\work"));
        if (s.before != nullptr)
            WriteFile(s.settingsFile, s.before);

        PluginModule module{DatePluginTraits, FixedMoment};
        module.OnEvents(window_, StartUpEvent, 0);
        editor_.SetText(u"<>", 1);
        if (s.editedBefore != nullptr) {
            module.OnCommand(window_);
            WriteFile(s.settingsFile, s.editedBefore);
        }
        std::string before;
        const bool existed = ReadFile(s.settingsFile, before);

        standin::InjectFault(fault);
        const bool unread = existed && BlocksReading(fault);
        ExpectPressInserts(module, unread ? s.insertedUnread : s.inserted);
        standin::ClearFaults();

        std::string after;
        if (ReadFile(s.settingsFile, after)) {
            EXPECT_TRUE(after == s.whole || (existed && after == before)) << after;
        } else {
            EXPECT_FALSE(existed) << "the settings file is gone";
        }
        EXPECT_FALSE(TemporaryFileLeft());
        ExpectPressInserts(module, s.inserted);
    }
}

INSTANTIATE_TEST_SUITE_P(EachCall, PressFault, ::testing::ValuesIn(standin::AllFaults),
                         [](const testing::TestParamInfo<standin::Fault>& info) {
                             return std::string(standin::FaultName(info.param));
                         });

}  // namespace

// Every file call that a save makes, failing in turn: the old file stays byte for byte, or
// the new one is there whole; never a part, never no file, never a temporary file.
TEST(SaveFault, EachInjectedFaultKeepsTheOldFileOrPlacesTheNewOne)
{
    const TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    const std::string before = "[A]\r\nk=1\r\n";
    const std::string after = "[A]\r\nk=1\r\nj=" + std::string(4096, 'x') + "\r\n";
    for (const standin::Fault fault : standin::AllFaults) {
        SCOPED_TRACE(standin::FaultName(fault));
        for (const bool fileExists : {true, false}) {
            if (fileExists) {
                ASSERT_TRUE(platform::WriteNewFile(path, before));
            } else if (platform::PathExists(path)) {
                ASSERT_TRUE(platform::RemoveFile(path));
            }
            standin::InjectFault(fault);
            bool saved = true;
            try {
                SaveIniFile(path, after);
            } catch (const FileError&) {
                saved = false;
            }
            standin::ClearFaults();
            std::string bytes;
            const platform::FileStatus status = platform::ReadWholeFile(path, bytes);
            if (saved) {
                EXPECT_EQ(bytes, after);
            } else if (fileExists) {
                EXPECT_EQ(bytes, before);
            } else {
                EXPECT_EQ(status, platform::FileStatus::NotFound);
            }
            platform::FoundFileTimes temporary;
            EXPECT_FALSE(platform::FindFileTimes(folder.File("*.saving"), temporary));
        }
    }
}

// A save puts a new file in the old one's place, with the old one's permissions (the stand-in's
// file attributes), whatever the new file was made with.
TEST(SaveOverAFile, KeepsItsPermissions)
{
    const TempFolder folder;
    const WideString path = folder.File("StemraTime.ini");
    ASSERT_TRUE(platform::WriteNewFile(path, "[A]\r\n"));
    namespace fs = std::filesystem;
    const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(platform::SystemPathOf(path), ownerOnly);
    SaveIniFile(path, "[A]\r\nk=1\r\n");
    EXPECT_EQ(fs::status(platform::SystemPathOf(path)).permissions(), ownerOnly);
    std::string bytes;
    EXPECT_EQ(platform::ReadWholeFile(path, bytes), platform::FileStatus::Ok);
    EXPECT_EQ(bytes, "[A]\r\nk=1\r\n");
}

// Another program saves the settings file while a press reads it (after the read, before the
// press ends). The press took the file's time before it read, so the next press sees a change
// and loads what was saved: on the first press after start-up as on a press that reloads.
TEST(SaveDuringThePress, IsLoadedByTheNextPress)
{
    constexpr platform::FileTime Year2001 = 126227808000000000ULL;
    constexpr platform::FileTime TwoSeconds = 20000000ULL;
    for (const bool firstPress : {true, false}) {
        SCOPED_TRACE(firstPress ? "first press" : "press that reloads");
        const TempFolder folder;
        const WideString path = folder.File("StemraTime.ini");
        ASSERT_TRUE(platform::WriteNewFile(path, "[DateFormat]\r\nItem01=yyyy\r\n"));
        ASSERT_TRUE(platform::SetLastWriteTime(path, Year2001));
        SimulatedEditor editor;
        const platform::HostWindow window = platform::CreateHostWindow(editor);
        PluginModule date{DatePluginTraits, FixedMoment};
        date.SetPluginFolder(folder.Path());
        date.OnEvents(window, StartUpEvent, 0);
        const auto pressAnew = [&] {
            date.OnEvents(window, Event20, 0);
            editor.SetText(u"<>", 1);
            date.OnCommand(window);
            return editor.Text();
        };
        if (!firstPress) {
            EXPECT_EQ(pressAnew(), u"<2026>");
            ASSERT_TRUE(platform::SetLastWriteTime(path, Year2001 + TwoSeconds));
        }

        standin::AfterNextFileRead([&] {
            EXPECT_TRUE(platform::WriteNewFile(path, "[DateFormat]\r\nItem01=dd\r\n"));
            EXPECT_TRUE(platform::SetLastWriteTime(path, Year2001 + 2 * TwoSeconds));
        });
        EXPECT_EQ(pressAnew(), u"<2026>") << "the press renders what it read";
        EXPECT_EQ(pressAnew(), u"<07>");
        platform::DestroyHostWindow(window);
    }
}

// A plug-in folder that a standard user may not change, as one under Program Files is on
// Windows 8 and later: each press inserts, from the defaults while there is no file and from the
// file once an administrator has put one there, and the folder stays as it was. The defaults are
// tried once, not at every press: a folder that becomes writable gets them only when the file's
// time changes.
TEST(ReadOnlyPluginFolder, PressesInsertAndTheFolderStaysAsItWas)
{
    const TempFolder folder;
    const WideString plugins = folder.File("PlugIns");
    const WideString settings = plugins + u"\\StemraTime.ini";
    ASSERT_TRUE(platform::CreateFolder(plugins));
    ASSERT_TRUE(platform::SetFolderWritable(plugins, false));
    SimulatedEditor editor;
    const platform::HostWindow window = platform::CreateHostWindow(editor);
    PluginModule date{DatePluginTraits, FixedMoment};
    PluginModule time{TimePluginTraits, FixedMoment};
    for (PluginModule* module : {&date, &time}) {
        module->SetPluginFolder(plugins);
        module->OnEvents(window, StartUpEvent, 0);
    }
    const auto pressAnew = [&](PluginModule& module) {
        module.OnEvents(window, Event20, 0);
        editor.SetText(u"<>", 1);
        module.OnCommand(window);
        return editor.Text();
    };

    EXPECT_EQ(pressAnew(date), u"<" + FirstDateDefault + u">");
    EXPECT_NE(date.State().settingsTrouble.find("no file can be created in " + WideToUtf8(plugins)),
              std::string::npos)
        << date.State().settingsTrouble;
    EXPECT_EQ(pressAnew(time), u"< 13:05>");
    ASSERT_TRUE(platform::SetFolderWritable(plugins, true));
    EXPECT_EQ(pressAnew(date), u"<" + FirstDateDefault + u">");
    EXPECT_TRUE(platform::FindFileNames(plugins + u"\\*").empty()) << "a second try to save";

    // An administrator copies a file in: the date plug-in reads it, the time plug-in uses its
    // defaults again, and the file stays as it came.
    const std::string copied = "[DateFormat]\r\nItem01=dd\r\n";
    ASSERT_TRUE(platform::WriteNewFile(settings, copied));
    ASSERT_TRUE(platform::SetFolderWritable(plugins, false));
    EXPECT_EQ(pressAnew(date), u"<07>");
    EXPECT_EQ(pressAnew(time), u"< 13:05>");
    EXPECT_EQ(pressAnew(time), u"< 13:05>");
    std::string bytes;
    EXPECT_EQ(platform::ReadWholeFile(settings, bytes), platform::FileStatus::Ok);
    EXPECT_EQ(bytes, copied);
    EXPECT_EQ(platform::FindFileNames(plugins + u"\\*").size(), 1u);
    platform::SetFolderWritable(plugins, true);
    platform::DestroyHostWindow(window);
}

}  // namespace stem
