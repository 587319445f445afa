#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/UnicodeText.h"
#include "platform/HostSupport.h"
#include "platform/Platform.h"
#include "tests/support/TempFolder.h"

namespace stem {

namespace {

using namespace std::string_literals;
using platform::FileStatus;

std::string ReadBytes(const WideString& path, FileStatus expected = FileStatus::Ok)
{
    std::string bytes = "untouched";
    EXPECT_EQ(platform::ReadWholeFile(path, bytes), expected) << WideToUtf8(path);
    return bytes;
}

}  // namespace

class FileSeamTest : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(FileSeamTest, WrittenBytesReadBackExactly)
{
    const WideString path = folder_.File("a.ini");
    const std::string bytes = "[A]\r\nk=\x83\x41\0\n\r\xff"s;
    ASSERT_TRUE(platform::WriteNewFile(path, bytes));
    EXPECT_EQ(ReadBytes(path), bytes);

    ASSERT_TRUE(platform::WriteNewFile(path, "x"));  // overwriting truncates
    EXPECT_EQ(ReadBytes(path), "x");
    ASSERT_TRUE(platform::WriteNewFile(path, ""));
    EXPECT_EQ(ReadBytes(path), "");
}

// Paths go to the system as UTF-16: a folder named in Korean and kanji, which no one ANSI code
// page spells, holds files like any other.
TEST_F(FileSeamTest, AFolderOfAnyNameHoldsFiles)
{
    const WideString folder = folder_.File("설정表");
    ASSERT_TRUE(platform::CreateFolder(folder));
    const WideString path = folder + u"\\월.ini";
    ASSERT_TRUE(platform::WriteNewFile(path, "x"));
    EXPECT_TRUE(platform::PathExists(path));
    EXPECT_EQ(ReadBytes(path), "x");
    platform::FoundFileTimes times;
    EXPECT_TRUE(platform::FindFileTimes(path, times));
    EXPECT_EQ(platform::FindFileNames(folder + u"\\*.ini"), std::vector<WideString>{u"월.ini"});
    EXPECT_TRUE(platform::RemoveFile(path));
    EXPECT_TRUE(platform::RemoveFolder(folder));
}

TEST_F(FileSeamTest, MissingFileIsNotFoundButAFolderFails)
{
    EXPECT_EQ(ReadBytes(folder_.File("none.ini"), FileStatus::NotFound), "untouched");
    ReadBytes(folder_.File("none\\a.ini"), FileStatus::NotFound);
    ASSERT_TRUE(platform::CreateFolder(folder_.File("sub")));
    EXPECT_EQ(ReadBytes(folder_.File("sub"), FileStatus::Failed), "untouched");
    EXPECT_FALSE(platform::WriteNewFile(folder_.File("none\\a.ini"), "x"));
    EXPECT_FALSE(platform::WriteNewFile(folder_.File("sub"), "x"));
}

TEST_F(FileSeamTest, CreateFolderNeedsTheParentAndFailsWhenPresent)
{
    const WideString sub = folder_.File("sub");
    EXPECT_FALSE(platform::PathExists(sub));
    EXPECT_TRUE(platform::CreateFolder(sub));
    EXPECT_TRUE(platform::PathExists(sub));
    EXPECT_FALSE(platform::CreateFolder(sub));
    EXPECT_FALSE(platform::CreateFolder(folder_.File("x\\y")));
    EXPECT_TRUE(platform::CreateFolder(sub + u"\\y"));

    EXPECT_FALSE(platform::RemoveFolder(sub)) << "not empty";
    EXPECT_TRUE(platform::RemoveFolder(sub + u"\\y"));
    EXPECT_FALSE(platform::PathExists(sub + u"\\y"));
}

// The probe of a save leaves nothing, and fails where a save would.
TEST_F(FileSeamTest, CanCreateFileTellsWithoutLeavingAFile)
{
    EXPECT_TRUE(platform::CanCreateFile(folder_.File("probe")));
    EXPECT_FALSE(platform::PathExists(folder_.File("probe")));
    EXPECT_FALSE(platform::CanCreateFile(folder_.File("none\\probe")));
    ASSERT_TRUE(platform::WriteNewFile(folder_.File("there"), "x"));
    EXPECT_FALSE(platform::CanCreateFile(folder_.File("there")));
    EXPECT_EQ(ReadBytes(folder_.File("there")), "x");
}

TEST_F(FileSeamTest, FindFileNamesListsMatchingFilesOnly)
{
    for (const char* name : {"a.ini.1-2.saving", "A.INI.3-4.SAVING", "a.ini", "b.ini.5-6.saving"})
        ASSERT_TRUE(platform::WriteNewFile(folder_.File(name), "x"));
    ASSERT_TRUE(platform::CreateFolder(folder_.File("a.ini.7-8.saving")));
    std::vector<WideString> names = platform::FindFileNames(folder_.File("a.ini.*.saving"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<WideString>{u"A.INI.3-4.SAVING", u"a.ini.1-2.saving"}));
    EXPECT_TRUE(platform::FindFileNames(folder_.File("none\\*")).empty());
}

// Another program's open file that shares nothing: it is found, but not read, replaced or
// removed, until it is closed.
TEST_F(FileSeamTest, LockedFileIsFoundButNotReadReplacedOrRemoved)
{
    const WideString path = folder_.File("a.ini");
    ASSERT_TRUE(platform::WriteNewFile(path, "old"));
    ASSERT_TRUE(platform::WriteNewFile(folder_.File("a.new"), "new"));
    const platform::FileLock lock = platform::LockFile(path);
    ASSERT_NE(lock, nullptr);
    platform::FoundFileTimes times;
    EXPECT_TRUE(platform::FindFileTimes(path, times));
    EXPECT_EQ(ReadBytes(path, FileStatus::Failed), "untouched");
    EXPECT_FALSE(platform::ReplaceExistingFile(path, folder_.File("a.new")));
    EXPECT_FALSE(platform::RemoveFile(path));
    platform::UnlockFile(lock);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_TRUE(platform::ReplaceExistingFile(path, folder_.File("a.new")));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(platform::LockFile(folder_.File("none")), nullptr);
}

TEST(Processes, ThisOneRunsAndAnEndedOneDoesNot)
{
    EXPECT_TRUE(platform::ProcessRunning(platform::CurrentProcessId()));
    // Process numbers are never this high on either system.
    EXPECT_FALSE(platform::ProcessRunning(0x7FFFFFF0u));
}

TEST_F(FileSeamTest, RemoveTakesFilesOnly)
{
    const WideString path = folder_.File("a.ini");
    ASSERT_TRUE(platform::WriteNewFile(path, "x"));
    EXPECT_TRUE(platform::PathExists(path));
    EXPECT_TRUE(platform::RemoveFile(path));
    EXPECT_FALSE(platform::PathExists(path));
    EXPECT_FALSE(platform::RemoveFile(path));
    ASSERT_TRUE(platform::CreateFolder(folder_.File("sub")));
    EXPECT_FALSE(platform::RemoveFile(folder_.File("sub")));
}

TEST_F(FileSeamTest, MoveAndReplacePutTheNewFileInPlace)
{
    const WideString target = folder_.File("a.ini");
    const WideString staged = folder_.File("a.new");
    ASSERT_TRUE(platform::WriteNewFile(staged, "new"));
    EXPECT_FALSE(platform::ReplaceExistingFile(target, staged));  // no target yet
    EXPECT_TRUE(platform::MoveFileReplacing(staged, target));
    EXPECT_FALSE(platform::PathExists(staged));
    EXPECT_EQ(ReadBytes(target), "new");

    ASSERT_TRUE(platform::WriteNewFile(staged, "newer"));
    EXPECT_TRUE(platform::MoveFileReplacing(staged, target));
    EXPECT_EQ(ReadBytes(target), "newer");

    ASSERT_TRUE(platform::WriteNewFile(staged, "newest"));
    EXPECT_TRUE(platform::ReplaceExistingFile(target, staged));
    EXPECT_FALSE(platform::PathExists(staged));
    EXPECT_EQ(ReadBytes(target), "newest");
    EXPECT_FALSE(platform::MoveFileReplacing(folder_.File("none"), target));
}

TEST_F(FileSeamTest, FindsTheTimesOfAFreshFile)
{
    platform::FoundFileTimes times;
    EXPECT_FALSE(platform::FindFileTimes(folder_.File("a.ini"), times));
    EXPECT_EQ(times.lastWritten, 0u);

    ASSERT_TRUE(platform::WriteNewFile(folder_.File("a.ini"), "x"));
    ASSERT_TRUE(platform::FindFileTimes(folder_.File("a.ini"), times));
    EXPECT_NE(times.created, 0u);
    EXPECT_NE(times.lastAccessed, 0u);
    EXPECT_NE(times.lastWritten, 0u);
    // 2024-02-29 12:34:56.789 UTC, as an edit at that moment would leave it.
    const platform::FileTime leapDay = 133536836967890000ULL;
    ASSERT_TRUE(platform::SetLastWriteTime(folder_.File("a.ini"), leapDay));
    ASSERT_TRUE(platform::FindFileTimes(folder_.File("a.ini"), times));
    EXPECT_EQ(times.lastWritten, leapDay);

    platform::FoundFileTimes byPattern;
    ASSERT_TRUE(platform::FindFileTimes(folder_.File("*.INI"), byPattern));
    EXPECT_EQ(byPattern.lastWritten, times.lastWritten);
    EXPECT_TRUE(platform::FindFileTimes(folder_.Path(), byPattern));  // a folder is found too
    EXPECT_FALSE(platform::FindFileTimes(folder_.File("*.txt"), byPattern));
}

// The local clock numbers its weekday as the day arithmetic does.
TEST(LocalClock, WeekdayAgreesWithTheDate)
{
    const DateTimeFields now = platform::LocalNow();
    EXPECT_EQ(now.weekday, WeekdayFromDays(DaysFromCivil(now.year, now.month, now.day)));
}

TEST(HostExecutable, NamesTheRunningProgram)
{
    const WideString path = platform::HostExecutablePath();
    EXPECT_NE(path.find(u"FileSeamTests"), WideString::npos) << WideToUtf8(path);
    EXPECT_EQ(path.substr(1, 2), u":\\") << WideToUtf8(path);
}

}  // namespace stem
