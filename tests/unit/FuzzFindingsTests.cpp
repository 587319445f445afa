// Inputs the fuzz targets (fuzz/) found to break the code, kept as regression tests. Each case
// is named after what went wrong and holds the shrunk input inline.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"

namespace stem {

namespace {

// Cells joined by the separator, ended by CR LF.
AnsiString Row(const std::vector<AnsiString>& cells, const AnsiString& separator)
{
    AnsiString row;
    for (size_t i = 0; i < cells.size(); ++i)
        row += (i > 0 ? separator : AnsiString()) + cells[i];
    return row + "\r\n";
}

}  // namespace

// CalendarFuzz: separator "\0", value 0. The header and the day cells took the separator as a C
// string, so it stopped at the NUL, while the blank cells used all of it: rows of different
// widths.
TEST(MonthCalendarFinding, SeparatorWithANulByteWasCutShortInTheHeaderAndDayRows)
{
    const AnsiString separator("|\0|", 3);
    const AnsiString blank = "  ";
    const AnsiString expected =
        "1899\x94\x4e"
        "12\x8c\x8e\r\n" +
        Row({"\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85", "\x96\xd8", "\x8b\xe0", "\x93\x79"},
            separator) +
        Row({blank, blank, blank, blank, blank, " 1", " 2"}, separator) +
        Row({" 3", " 4", " 5", " 6", " 7", " 8", " 9"}, separator) +
        Row({"10", "11", "12", "13", "14", "15", "16"}, separator) +
        Row({"17", "18", "19", "20", "21", "22", "23"}, separator) +
        Row({"24", "25", "26", "27", "28", "29", "30"}, separator) +
        Row({"31", blank, blank, blank, blank, blank, blank}, separator);
    EXPECT_EQ(BuildMonthCalendar(CalendarMode::BlankNeighbourCells, separator, 0.0), expected);
}

}  // namespace stem
