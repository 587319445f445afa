// Inputs the fuzz targets (fuzz/) found to break the code, kept as regression tests. Each case
// is named after what went wrong and holds the shrunk input inline.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"

namespace stem {

namespace {

// Cells joined by the separator, ended by CR LF.
WideString Row(const std::vector<WideString>& cells, const WideString& separator)
{
    WideString row;
    for (size_t i = 0; i < cells.size(); ++i)
        row += (i > 0 ? separator : WideString()) + cells[i];
    return row + u"\r\n";
}

}  // namespace

// CalendarFuzz: separator "\0", value 0. The header and the day cells took the separator as a C
// string, so it stopped at the U+0000, while the blank cells used all of it: rows of different
// widths.
TEST(MonthCalendarFinding, SeparatorWithANulByteWasCutShortInTheHeaderAndDayRows)
{
    const WideString separator(u"|\0|", 3);
    const WideString blank = u"  ";
    const WideString expected = u"1899年12月\r\n" +
                                Row({u"日", u"月", u"火", u"水", u"木", u"金", u"土"}, separator) +
                                Row({blank, blank, blank, blank, blank, u" 1", u" 2"}, separator) +
                                Row({u" 3", u" 4", u" 5", u" 6", u" 7", u" 8", u" 9"}, separator) +
                                Row({u"10", u"11", u"12", u"13", u"14", u"15", u"16"}, separator) +
                                Row({u"17", u"18", u"19", u"20", u"21", u"22", u"23"}, separator) +
                                Row({u"24", u"25", u"26", u"27", u"28", u"29", u"30"}, separator) +
                                Row({u"31", blank, blank, blank, blank, blank, blank}, separator);
    EXPECT_EQ(BuildMonthCalendar(CalendarMode::BlankNeighbourCells, separator, 0.0), expected);
}

}  // namespace stem
