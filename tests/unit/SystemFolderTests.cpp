#include <gtest/gtest.h>

#include <string>

#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "platform/HostSupport.h"

namespace stem {

namespace {

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// What the shell gives this program: a 32-bit program on 64-bit Windows gets the folder of
// 32-bit programs.
AnsiString ExpectedProgramFiles()
{
    return platform::RunsAs32BitOn64BitWindows() ? "C:\\Program Files (x86)" : "C:\\Program Files";
}

TEST(SpecialFolderPath, ProgramFilesAndApplicationData)
{
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PROGRAM_FILES), ExpectedProgramFiles());
    const AnsiString appData = GetSpecialFolderPath(CSIDL_APPDATA);
    EXPECT_EQ(appData.rfind("C:\\", 0), 0u) << appData;
    EXPECT_TRUE(EndsWith(appData, "\\AppData\\Roaming")) << appData;
}

TEST(SpecialFolderPath, UnknownFolderGivesEmptyText)
{
    EXPECT_EQ(GetSpecialFolderPath(0x70), "");
    EXPECT_EQ(GetSpecialFolderPath(0xFE), "");
}

}  // namespace

}  // namespace stem
