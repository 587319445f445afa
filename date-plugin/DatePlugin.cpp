#include <iterator>

#include "plugin/PluginTraits.h"

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"

namespace stem {

namespace {
const char* const DateDefaults[] = {
    "yyyy/mm/dd(aaa)", "yyyy/mm/dd(a)",       "yyyy/mm/dd",
    "mm/ddaaa",        "yyyy年mm月dd日(aaa)", "gggee年mm月dd日(aaa)",
    "a, dd mmm yyyy",  "aa, dd mmmm yyyy",    "Calendar1",
    "Calendar2",
};

// The two calendars of the month: blank cells around it, or the neighbouring months' days.
const char16_t* const CalendarEntries[] = {u"Calendar1", u"Calendar2"};

WideString RenderCalendarEntry(int index, TDateTime now)
{
    const CalendarMode mode =
        index == 0 ? CalendarMode::BlankNeighbourCells : CalendarMode::NeighbourDayCells;
    return BuildMonthCalendar(mode, u"  ", now);
}
}  // namespace

const PluginTraits DatePluginTraits = {
    DatePlugin.name,
    DatePlugin.word,
    DatePlugin.section,
    DateDefaults,
    static_cast<int>(std::size(DateDefaults)),
    CalendarEntries,
    static_cast<int>(std::size(CalendarEntries)),
    RenderCalendarEntry,
};

}  // namespace stem
