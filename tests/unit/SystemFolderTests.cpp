#include <gtest/gtest.h>

#include <string>

#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#include "base/UnicodeText.h"
#include "platform/HostSupport.h"

namespace stem {

namespace {

bool EndsWith(const WideString& text, const WideString& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// What the shell gives this program: a 32-bit program on 64-bit Windows gets the folder of
// 32-bit programs.
WideString ExpectedProgramFiles()
{
    return platform::RunsAs32BitOn64BitWindows() ? u"C:\\Program Files (x86)"
                                                 : u"C:\\Program Files";
}

TEST(SpecialFolderPath, ProgramFilesAndApplicationData)
{
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_PROGRAM_FILES), ExpectedProgramFiles());
    const WideString appData = GetSpecialFolderPath(CSIDL_APPDATA);
    EXPECT_EQ(appData.rfind(u"C:\\", 0), 0u) << WideToUtf8(appData);
    EXPECT_TRUE(EndsWith(appData, u"\\AppData\\Roaming")) << WideToUtf8(appData);
}

TEST(SpecialFolderPath, UnknownFolderGivesEmptyText)
{
    EXPECT_EQ(GetSpecialFolderPath(0x70), u"");
    EXPECT_EQ(GetSpecialFolderPath(0xFE), u"");
}

}  // namespace

}  // namespace stem
