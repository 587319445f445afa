#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"
#include "tests/support/Moments.h"

namespace stem {

namespace {

const AnsiString TwoSpaces = "  ";
constexpr CalendarMode Blank = CalendarMode::BlankNeighbourCells;
constexpr CalendarMode Neighbours = CalendarMode::NeighbourDayCells;

// 年 and 月 in Shift-JIS, and the header row 日 月 火 水 木 金 土.
const AnsiString Year = "\x94\x4e";
const AnsiString Month = "\x8c\x8e";
const AnsiString Header =
    "\x93\xfa  \x8c\x8e  \x89\xce  \x90\x85  \x96\xd8  \x8b\xe0  \x93\x79\r\n";

std::vector<AnsiString> Lines(const AnsiString& text)
{
    std::vector<AnsiString> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != AnsiString::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start != text.size())
        lines.push_back(text.substr(start));  // text after the last CR LF
    return lines;
}

}  // namespace

TEST(MonthCalendar, December2026WithBlankCells)
{
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 12, 6)),
              "2026" + Year + "12" + Month + "\r\n" + Header +
                  "         1   2   3   4   5\r\n"
                  " 6   7   8   9  10  11  12\r\n"
                  "13  14  15  16  17  18  19\r\n"
                  "20  21  22  23  24  25  26\r\n"
                  "27  28  29  30  31        \r\n");
}

TEST(MonthCalendar, December2026WithTheNeighbouringMonthsDays)
{
    EXPECT_EQ(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2026, 12, 6)),
              "2026" + Year + "12" + Month + "\r\n" + Header +
                  "29  30   1   2   3   4   5\r\n"
                  " 6   7   8   9  10  11  12\r\n"
                  "13  14  15  16  17  18  19\r\n"
                  "20  21  22  23  24  25  26\r\n"
                  "27  28  29  30  31   1   2\r\n");
}

// February 2026 starts on a Sunday and ends on a Saturday: no cells outside the month.
TEST(MonthCalendar, AMonthFromSundayToSaturdayIsTheSameInBothModes)
{
    const AnsiString expected = "2026" + Year + "02" + Month + "\r\n" + Header +
                                " 1   2   3   4   5   6   7\r\n"
                                " 8   9  10  11  12  13  14\r\n"
                                "15  16  17  18  19  20  21\r\n"
                                "22  23  24  25  26  27  28\r\n";
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 2, 14)), expected);
    EXPECT_EQ(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2026, 2, 14)), expected);
}

TEST(MonthCalendar, ALeapFebruaryHas29Days)
{
    const std::vector<AnsiString> lines =
        Lines(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2028, 2, 29)));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "2028" + Year + "02" + Month);
    EXPECT_EQ(lines[2], "30  31   1   2   3   4   5");
    EXPECT_EQ(lines[6], "27  28  29   1   2   3   4");
}

TEST(MonthCalendar, JanuaryShowsTheEndOfThePreviousDecember)
{
    const std::vector<AnsiString> lines =
        Lines(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2027, 1, 20)));
    ASSERT_EQ(lines.size(), 8u);  // 1 January is a Friday, 31 January a Sunday: six weeks
    EXPECT_EQ(lines[0], "2027" + Year + "01" + Month);
    EXPECT_EQ(lines[2], "27  28  29  30  31   1   2");
    EXPECT_EQ(lines[7], "31   1   2   3   4   5   6");
}

TEST(MonthCalendar, OnlyTheMonthOfTheValueMatters)
{
    const AnsiString first = BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 3, 1));
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 3, 31, 23)), first);
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 3, 15, 12)), first);
}

TEST(MonthCalendar, TheSeparatorJoinsCellsButNeverEndsALine)
{
    const std::vector<AnsiString> lines =
        Lines(BuildMonthCalendar(Blank, "|", MomentAt(2026, 12, 1)));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], "\x93\xfa|\x8c\x8e|\x89\xce|\x90\x85|\x96\xd8|\x8b\xe0|\x93\x79");
    EXPECT_EQ(lines[2], "  |  | 1| 2| 3| 4| 5");
    EXPECT_EQ(lines[6], "27|28|29|30|31|  |  ");
}

// Every month of 1900 to 2100 in both modes: 26-column lines, four to six weeks, the days 1 to
// the month's length in order, and exactly one CR LF at the end.
TEST(MonthCalendar, EveryMonthHasTheSameShape)
{
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (CalendarMode mode : {Blank, Neighbours}) {
                const AnsiString text =
                    BuildMonthCalendar(mode, TwoSpaces, MomentAt(year, month, 1));
                const std::vector<AnsiString> lines = Lines(text);
                ASSERT_GE(lines.size(), 6u) << year << "-" << month;
                ASSERT_LE(lines.size(), 8u) << year << "-" << month;
                ASSERT_EQ(text.compare(text.size() - 2, 2, "\r\n"), 0);
                ASSERT_NE(text.compare(text.size() - 4, 4, "\r\n\r\n"), 0);
                int expectedDay = 1;
                for (size_t i = 1; i < lines.size(); ++i) {
                    ASSERT_EQ(lines[i].size(), 26u) << year << "-" << month << " line " << i;
                    for (size_t cell = 0; i >= 2 && cell < 7; ++cell) {
                        const int number = std::atoi(lines[i].substr(cell * 4, 2).c_str());
                        const bool inMonth =
                            (i > 2 || number < 20) && (i + 1 < lines.size() || number > 20);
                        if (inMonth && number != 0) {
                            ASSERT_EQ(number, expectedDay++) << year << "-" << month;
                        }
                    }
                }
                ASSERT_EQ(expectedDay - 1, DaysInMonth(year, month));
            }
        }
    }
}

}  // namespace stem
