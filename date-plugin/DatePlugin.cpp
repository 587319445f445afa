#include <iterator>

#include "plugin/PluginTraits.h"

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"

namespace stem {

namespace {
const char16_t* const DateDefaults[] = {
    u"yyyy/mm/dd(aaa)", u"yyyy/mm/dd(a)",       u"yyyy/mm/dd",
    u"mm/ddaaa",        u"yyyy年mm月dd日(aaa)", u"gggee年mm月dd日(aaa)",
    u"a, dd mmm yyyy",  u"aa, dd mmmm yyyy",    u"Calendar1",
    u"Calendar2",
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
