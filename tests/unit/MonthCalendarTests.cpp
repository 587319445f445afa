#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"
#include "base/UnicodeText.h"
#include "tests/support/Moments.h"

namespace stem {

namespace {

const WideString TwoSpaces = u"  ";
constexpr CalendarMode Blank = CalendarMode::BlankNeighbourCells;
constexpr CalendarMode Neighbours = CalendarMode::NeighbourDayCells;

const WideString Year = u"年";
const WideString Month = u"月";
const WideString HeaderRow = u"日  月  火  水  木  金  土";
const WideString Header = HeaderRow + u"\r\n";

std::vector<WideString> Lines(const WideString& text)
{
    std::vector<WideString> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(u"\r\n", start)) != WideString::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start != text.size())
        lines.push_back(text.substr(start));  // text after the last CR LF
    return lines;
}

}  // namespace

TEST(MonthCalendar, December2026WithBlankCells)
{
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 12, 6)),
              u"2026" + Year + u"12" + Month + u"\r\n" + Header +
                  u"         1   2   3   4   5\r\n"
                  u" 6   7   8   9  10  11  12\r\n"
                  u"13  14  15  16  17  18  19\r\n"
                  u"20  21  22  23  24  25  26\r\n"
                  u"27  28  29  30  31        \r\n");
}

TEST(MonthCalendar, December2026WithTheNeighbouringMonthsDays)
{
    EXPECT_EQ(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2026, 12, 6)),
              u"2026" + Year + u"12" + Month + u"\r\n" + Header +
                  u"29  30   1   2   3   4   5\r\n"
                  u" 6   7   8   9  10  11  12\r\n"
                  u"13  14  15  16  17  18  19\r\n"
                  u"20  21  22  23  24  25  26\r\n"
                  u"27  28  29  30  31   1   2\r\n");
}

// February 2026 starts on a Sunday and ends on a Saturday: no cells outside the month.
TEST(MonthCalendar, AMonthFromSundayToSaturdayIsTheSameInBothModes)
{
    const WideString expected = u"2026" + Year + u"02" + Month + u"\r\n" + Header +
                                u" 1   2   3   4   5   6   7\r\n"
                                u" 8   9  10  11  12  13  14\r\n"
                                u"15  16  17  18  19  20  21\r\n"
                                u"22  23  24  25  26  27  28\r\n";
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 2, 14)), expected);
    EXPECT_EQ(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2026, 2, 14)), expected);
}

TEST(MonthCalendar, ALeapFebruaryHas29Days)
{
    const std::vector<WideString> lines =
        Lines(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2028, 2, 29)));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], u"2028" + Year + u"02" + Month);
    EXPECT_EQ(lines[2], u"30  31   1   2   3   4   5");
    EXPECT_EQ(lines[6], u"27  28  29   1   2   3   4");
}

TEST(MonthCalendar, JanuaryShowsTheEndOfThePreviousDecember)
{
    const std::vector<WideString> lines =
        Lines(BuildMonthCalendar(Neighbours, TwoSpaces, MomentAt(2027, 1, 20)));
    ASSERT_EQ(lines.size(), 8u);  // 1 January is a Friday, 31 January a Sunday: six weeks
    EXPECT_EQ(lines[0], u"2027" + Year + u"01" + Month);
    EXPECT_EQ(lines[2], u"27  28  29  30  31   1   2");
    EXPECT_EQ(lines[7], u"31   1   2   3   4   5   6");
}

TEST(MonthCalendar, OnlyTheMonthOfTheValueMatters)
{
    const WideString first = BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 3, 1));
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 3, 31, 23)), first);
    EXPECT_EQ(BuildMonthCalendar(Blank, TwoSpaces, MomentAt(2026, 3, 15, 12)), first);
}

TEST(MonthCalendar, TheSeparatorJoinsCellsButNeverEndsALine)
{
    const std::vector<WideString> lines =
        Lines(BuildMonthCalendar(Blank, u"|", MomentAt(2026, 12, 1)));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], u"日|月|火|水|木|金|土");
    EXPECT_EQ(lines[2], u"  |  | 1| 2| 3| 4| 5");
    EXPECT_EQ(lines[6], u"27|28|29|30|31|  |  ");
}

// Every month of 1900 to 2100 in both modes: the header row, 26-column weeks, four to six of
// them, the days 1 to the month's length in order, and exactly one CR LF at the end.
TEST(MonthCalendar, EveryMonthHasTheSameShape)
{
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (CalendarMode mode : {Blank, Neighbours}) {
                const WideString text =
                    BuildMonthCalendar(mode, TwoSpaces, MomentAt(year, month, 1));
                const std::vector<WideString> lines = Lines(text);
                ASSERT_GE(lines.size(), 6u) << year << "-" << month;
                ASSERT_LE(lines.size(), 8u) << year << "-" << month;
                ASSERT_EQ(text.compare(text.size() - 2, 2, u"\r\n"), 0);
                ASSERT_NE(text.compare(text.size() - 4, 4, u"\r\n\r\n"), 0);
                ASSERT_EQ(lines[1], HeaderRow);
                int expectedDay = 1;
                for (size_t i = 2; i < lines.size(); ++i) {
                    ASSERT_EQ(lines[i].size(), 26u) << year << "-" << month << " line " << i;
                    for (size_t cell = 0; cell < 7; ++cell) {
                        const int number =
                            std::atoi(WideToUtf8(lines[i].substr(cell * 4, 2)).c_str());
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
