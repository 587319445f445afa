#include "MyLibrary/DateTimeUnit/MonthCalendar.h"

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/NameTables.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"

namespace stem {

namespace {

const char16_t* const LineEnd = u"\r\n";
const char16_t* const BlankCell = u"  ";

// A day number, space-padded to the cell's two columns.
void AppendDay(WideString& text, int day)
{
    const Utf8String digits = PadNumber(2, ' ', day);
    text.append(digits.begin(), digits.end());
}

// The cell of the date `offset` days from the given day (counted from 1970-01-01), or a blank
// one.
void AppendNeighbour(WideString& text, bool shown, int64_t days, int64_t offset)
{
    if (shown)
        AppendDay(text, CivilFromDays(days + offset).day);
    else
        text += BlankCell;
}

// What follows a cell: the separator, or the line end after Saturday's cell. The separator is
// used whole, a U+0000 in it included.
void AppendCellEnd(WideString& text, bool saturday, const WideString& separator)
{
    if (saturday)
        text += LineEnd;
    else
        text += separator;
}

}  // namespace

WideString BuildMonthCalendar(CalendarMode mode, const WideString& separator, TDateTime value)
{
    const bool showNeighbours = mode == CalendarMode::NeighbourDayCells;
    const DateTimeFields fields = DecodeDateTime(value);
    const int dayCount = DaysInMonth(fields.year, fields.month);
    const int64_t first = DaysFromCivil(fields.year, fields.month, 1);
    const int64_t last = first + dayCount - 1;
    // Columns run 0 (Sunday) to 6 (Saturday).
    const int firstColumn = WeekdayIndex(WeekdayFromDays(first));
    const int lastColumn = WeekdayIndex(WeekdayFromDays(last));
    constexpr int SaturdayColumn = WeekdayIndex(Weekday::Saturday);

    WideString text = RenderPattern(u"yyyy年mm月", value) + LineEnd;

    for (int column = 0; column <= SaturdayColumn; ++column) {
        text += WeekdayKanji[column];
        AppendCellEnd(text, column == SaturdayColumn, separator);
    }

    for (int column = 0; column < firstColumn; ++column) {
        AppendNeighbour(text, showNeighbours, first, column - firstColumn);
        text += separator;
    }

    for (int day = 1; day <= dayCount; ++day) {
        AppendDay(text, day);
        AppendCellEnd(text, WeekdayFromDays(first + day - 1) == Weekday::Saturday, separator);
    }

    if (lastColumn != SaturdayColumn) {
        for (int column = lastColumn + 1; column <= SaturdayColumn; ++column) {
            AppendNeighbour(text, showNeighbours, last, column - lastColumn);
            if (column < SaturdayColumn)
                text += separator;
        }
        text += LineEnd;
    }
    return text;
}

}  // namespace stem
