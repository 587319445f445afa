// A press while one platform call after another fails: the host gets no exception, the
// settings file is as it was or whole and new, no temporary file stays behind, and the first
// press after the fault has cleared works. Native only: the faults come from the stand-in.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "base/Errors.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "platform/posix/StandIn.h"
#include "plugin/HostInterface.h"
#include "plugin/PluginModule.h"
#include "plugin/PluginRegAccessUnit.h"
#include "plugin/SettingsFile.h"
#include "tests/support/Moments.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

TDateTime FixedMoment()
{
    return MomentAt(2026, 12, 7, 13, 5, 9);
}

const AnsiString AppDataFolder = "C:\\Users\\tester\\AppData\\Roaming";

struct Scenario {
    const char* name;
    AnsiString pluginFolder;   // the registry value
    AnsiString settingsFile;   // where the settings end up
    const char* before;        // the file before the press; null for no file
    const char* editedBefore;  // when set: one clean press on `before`, then this text
};

const Scenario Scenarios[] = {
    {"first press, no file yet", "C:\\work", "C:\\work\\StemraTime.ini", nullptr, nullptr},
    {"first press, only the other plug-in's section", "C:\\work", "C:\\work\\StemraTime.ini",
     "[TimeFormat]\r\nItem01=hh\r\n", nullptr},
    {"reload after an edit", "C:\\work", "C:\\work\\StemraTime.ini",
     "[DateFormat]\r\nItem01=yyyy\r\n", "[DateFormat]\r\nItem01=mm\r\n"},
    {"settings moved out of Program Files", "C:\\Program Files\\Editor\\PlugIns",
     AppDataFolder + "\\Editor\\PlugIns\\StemraTime.ini", nullptr, nullptr},
};

class PressFault : public ::testing::TestWithParam<standin::Fault> {
protected:
    void SetUp() override
    {
        standin::SetSpecialFolder(26, AppDataFolder);
        standin::SetHostExecutablePath("C:\\Editor\\Editor.exe");
        std::filesystem::create_directories(standin::ToPosixPath("C:\\Editor\\PlugIns"));
        window_ = platform::CreateHostWindow(editor_);
    }

    void TearDown() override
    {
        standin::ClearFaults();
        platform::DestroyHostWindow(window_);
        standin::ResetAll();
    }

    static bool ReadFile(const AnsiString& path, std::string& bytes)
    {
        return platform::ReadWholeFile(path, bytes) == platform::FileStatus::Ok;
    }

    static void WriteFile(const AnsiString& path, const std::string& bytes)
    {
        std::filesystem::create_directories(standin::ToPosixPath(ExtractFolder(path)));
        ASSERT_TRUE(platform::WriteNewFile(path, bytes));
    }

    // The file the press would write from `before`: the date plug-in's defaults added.
    static std::string FileWithDefaults(const char* before)
    {
        const AnsiString reference = "C:\\reference\\StemraTime.ini";
        if (before != nullptr)
            WriteFile(reference, before);
        else
            std::filesystem::create_directories(standin::ToPosixPath("C:\\reference"));
        WriteDefaultPatterns(reference, DatePluginTraits);
        std::string bytes;
        EXPECT_TRUE(ReadFile(reference, bytes));
        return bytes;
    }

    static bool TemporaryFileLeft()
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(standin::FileRoot()))
            if (entry.path().extension() == ".saving")
                return true;
        return false;
    }

    // A new run on an empty document: the module's first entry appears.
    void ExpectAWorkingPress(PluginModule& module)
    {
        module.OnEvents(window_, 0x20, 0);
        editor_.SetText(u"<>", 1);
        module.OnCommand(window_);
        ASSERT_TRUE(module.State().formatList);
        ASSERT_GT(module.State().formatList->TextCount(), 1);
        const WideString first = RenderPattern(module.State().formatList->TextAt(0), FixedMoment());
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(editor_.Text(), u"<" + first + u">");
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
                                                   s.pluginFolder));
        std::filesystem::remove_all(standin::FileRoot());
        std::filesystem::create_directories(standin::ToPosixPath("C:\\Editor\\PlugIns"));
        std::filesystem::create_directories(standin::ToPosixPath("C:\\work"));
        if (s.before != nullptr)
            WriteFile(s.settingsFile, s.before);

        PluginModule module{DatePluginTraits, FixedMoment};
        module.OnEvents(window_, StartUpEvent, 0);
        editor_.SetText(u"<>", 1);
        if (s.editedBefore != nullptr) {
            module.OnCommand(window_);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            WriteFile(s.settingsFile, s.editedBefore);
        }
        std::string before;
        const bool existed = ReadFile(s.settingsFile, before);
        const std::string whole = s.editedBefore != nullptr ? before : FileWithDefaults(s.before);
        const WideString documentBefore = editor_.Text();

        standin::InjectFault(fault);
        EXPECT_NO_THROW(module.OnCommand(window_));
        standin::ClearFaults();

        std::string after;
        if (ReadFile(s.settingsFile, after)) {
            EXPECT_TRUE(after == whole || (existed && after == before)) << after;
        } else {
            EXPECT_FALSE(existed) << "the settings file is gone";
        }
        EXPECT_FALSE(TemporaryFileLeft());
        if (editor_.Text() != documentBefore) {
            EXPECT_TRUE(module.State().consecutivePress) << "the document changed: a full press";
        }
        ExpectAWorkingPress(module);
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
    const AnsiString path = folder.File("StemraTime.ini");
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

}  // namespace stem
