// A text calendar of the month that holds a date: the title "yyyy年mm月", a header row of
// weekday kanji, and one line per week, Sunday first. Cells are two columns wide and joined by
// the separator; every line ends in CR LF. The result is ANSI (code page) text.
#pragma once

#include <cstdint>

#include "base/Types.h"

namespace stem {

// CalendarMode 1: cells outside the month are blank. CalendarMode 2: they show the days of the
// neighbouring months. (Any mode other than 2 gives blank cells.)
constexpr int BlankNeighbourCells = 1;
constexpr int NeighbourDayCells = 2;

AnsiString BuildMonthCalendar(int calendarMode, const AnsiString& separator, TDateTime value);

// The decimal text of number with spaces put in front until it is width characters long.
AnsiString SpacePadNumber(int width, int64_t number);

}  // namespace stem
