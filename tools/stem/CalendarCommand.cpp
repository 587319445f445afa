// stem calendar MODE [--at MOMENT]: the month calendar of a moment, exactly as built.
#include "MyLibrary/DateTimeUnit/MonthCalendar.h"
#include "base/UnicodeText.h"
#include "platform/Platform.h"
#include "tools/stem/Arguments.h"
#include "tools/stem/Commands.h"

namespace stem {

namespace {

// The separator the date plug-in passes.
const char* const CellSeparator = "  ";

int ParseMode(const std::string& word)
{
    if (word == "1")
        return BlankNeighbourCells;
    if (word == "2")
        return NeighbourDayCells;
    throw UsageError("MODE must be 1 or 2");
}

int RunCalendar(const std::vector<std::string>& words)
{
    const CommandArguments arguments = SplitArguments(words);
    RequirePositionals(arguments, {"MODE"});
    const int mode = ParseMode(arguments.positionals[0]);
    const TDateTime moment = MomentOf(arguments);
    const AnsiString calendar = BuildMonthCalendar(mode, CellSeparator, moment);
    return PrintUtf8(WideToUtf8(platform::AnsiToWide(calendar)));
}

}  // namespace

const Command CalendarCommand = {
    "calendar",
    "MODE [--at YYYY-MM-DDThh:nn:ss[.zzz]]",
    "Prints the calendar of the month of the given moment (default: now), lines ended by\n"
    "CR LF. MODE 1 leaves the cells outside the month blank; MODE 2 fills them with the days\n"
    "of the neighbouring months.",
    "stem calendar 2 --at 2026-12-06T00:00:00",
    RunCalendar,
};

}  // namespace stem
