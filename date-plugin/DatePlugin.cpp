#include <iterator>

#include "plugin/PluginTraits.h"

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"
#include "platform/Platform.h"

namespace stem {

namespace {
// 年 0x94 0x4E, 月 0x8C 0x8E, 日 0x93 0xFA.
const char* const DateDefaults[] = {
    "yyyy/mm/dd(aaa)",
    "yyyy/mm/dd(a)",
    "yyyy/mm/dd",
    "mm/ddaaa",
    "yyyy\x94\x4emm\x8c\x8e"
    "dd\x93\xfa(aaa)",
    "gggee\x94\x4emm\x8c\x8e"
    "dd\x93\xfa(aaa)",
    "a, dd mmm yyyy",
    "aa, dd mmmm yyyy",
    "Calendar1",
    "Calendar2",
};

// The two calendars of the month: blank cells around it, or the neighbouring months' days.
const char16_t* const CalendarEntries[] = {u"Calendar1", u"Calendar2"};

WideString RenderCalendarEntry(int index, TDateTime now)
{
    const CalendarMode mode =
        index == 0 ? CalendarMode::BlankNeighbourCells : CalendarMode::NeighbourDayCells;
    return platform::DecodeText(platform::ShiftJisCodePage, BuildMonthCalendar(mode, "  ", now));
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
