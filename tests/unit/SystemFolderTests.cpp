#include <gtest/gtest.h>

#include <set>
#include <string>

#include "MyLibrary/SystemFolderPathUnit/SystemFolderPathUnit.h"
#ifdef _WIN32
#include <windows.h>
#else
#include "platform/posix/StandIn.h"
#endif

namespace {

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// What the shell gives this program: a 32-bit program on 64-bit Windows gets the folder of
// 32-bit programs.
AnsiString ExpectedProgramFiles()
{
#ifdef _WIN32
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64)
        return "C:\\Program Files (x86)";
#endif
    return "C:\\Program Files";
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

TEST(SpecialFolderKeys, NumberTableAgreesWithTheNamedConstants)
{
    std::set<int32_t> numbers;
    for (const TSHSysFolderKey& key : SHSysFolderKeys) {
        numbers.insert(key.csidl);
        if (std::string(key.name) == "CSIDL_APPDATA") {
            EXPECT_EQ(key.csidl, CSIDL_APPDATA);
        }
    }
    EXPECT_EQ(numbers.size(), std::size(SHSysFolderKeys)) << "each number appears once";
    EXPECT_EQ(*numbers.begin(), 0);
    EXPECT_EQ(*numbers.rbegin(), 34);
}

#ifndef _WIN32
class StandInSpecialFolder : public ::testing::Test {
protected:
    void TearDown() override { standin::ResetSpecialFolders(); }
};

// The shell's buffer holds 264 bytes; whatever it holds, at most 261 of them are the path.
TEST_F(StandInSpecialFolder, PathIsCutAt261Bytes)
{
    struct Case {
        size_t stored;
        size_t expected;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {260, 260}, {261, 261}, {262, 261}, {263, 261},
                          {264, 261}, {400, 261}};
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
#endif

}  // namespace
