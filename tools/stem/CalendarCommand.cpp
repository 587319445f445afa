// stem calendar MODE [--at MOMENT]: the month calendar of a moment, exactly as the date
// plug-in inserts its entry Calendar1 or Calendar2.
#include "base/UnicodeText.h"
#include "plugin/InsertCommand.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"

namespace stem {

namespace {

// The date plug-in's entry of the mode: its first calendar entry for 1, its second for 2.
WideString CalendarEntryOf(const std::string& mode)
{
    if (mode != "1" && mode != "2")
        throw UsageError("MODE must be 1 or 2");
    return DatePluginTraits.specialEntries[mode == "1" ? 0 : 1];
}

int RunCalendar(const std::vector<std::string>& words)
{
    const CommandArguments arguments = SplitArguments(words);
    RequirePositionals(arguments, {"MODE"});
    const WideString entry = CalendarEntryOf(arguments.positionals[0]);
    const TDateTime moment = MomentOf(arguments);
    return PrintUtf8(WideToUtf8(EntryText(DatePluginTraits, entry, moment)));
}

}  // namespace

const Command CalendarCommand = {
    "calendar",
    "MODE",
    TakesMoment::Yes,
    TakesCodePage::No,
    "Prints the calendar of the month of the given moment (default: now), lines\n"
    "ended by CR LF. MODE 1 leaves the cells outside the month blank; MODE 2 fills\n"
    "them with the days of the neighbouring months.",
    "stem calendar 2 --at 2026-12-06T00:00:00",
    RunCalendar,
};

}  // namespace stem
