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

// "Calendar1" and "Calendar2", compared exactly: any other spelling is an ordinary pattern.
bool RenderCalendarEntry(const WideString& entry, TDateTime now, WideString& text)
{
    int mode = 0;
    if (entry == u"Calendar1")
        mode = BlankNeighbourCells;
    else if (entry == u"Calendar2")
        mode = NeighbourDayCells;
    else
        return false;
    text = platform::AnsiToWide(BuildMonthCalendar(mode, "  ", now));
    return true;
}
}  // namespace

const PluginTraits DatePluginTraits = {"Stemra", DatePatternSection, DateDefaults,
                                       static_cast<int>(std::size(DateDefaults)),
                                       RenderCalendarEntry};

}  // namespace stem
