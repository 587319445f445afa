// A text calendar of the month that holds a date: the title "yyyy年mm月", a header row of
// weekday kanji, and one line per week, Sunday first. Cells are two columns wide and joined by
// the separator; every line ends in CR LF.
#pragma once

#include <cstdint>

#include "base/Types.h"

namespace stem {

// What the cells outside the month show: nothing (the entry "Calendar1"), or the days of the
// neighbouring months ("Calendar2").
enum class CalendarMode { BlankNeighbourCells = 1, NeighbourDayCells = 2 };

WideString BuildMonthCalendar(CalendarMode mode, const WideString& separator, TDateTime value);

}  // namespace stem
