#include "MyLibrary/DateTimeUnit/MonthCalendar.h"

#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "MyLibrary/DateTimeUnit/NameTables.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"

namespace stem {

namespace {

const char16_t* const LineEnd = u"\r\n";
const char16_t* const BlankCell = u"  ";

// What follows a cell: the separator, or the line end after Saturday's cell. The separator is
// used whole, a U+0000 in it included.
const WideString& CellEnd(bool saturday, const WideString& separator)
{
    static const WideString lineEnd = LineEnd;
    return saturday ? lineEnd : separator;
}

WideString NumberCell(int day)
{
    const Utf8String digits = PadNumber(2, ' ', day);
    return WideString(digits.begin(), digits.end());
}

// The day number of the date `offset` days from the given day (counted from 1970-01-01).
WideString DayCell(int64_t days, int64_t offset)
{
    return NumberCell(CivilFromDays(days + offset).day);
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

    for (int column = 0; column <= SaturdayColumn; ++column)
        text += WeekdayKanji[column] + CellEnd(column == SaturdayColumn, separator);

    for (int column = 0; column < firstColumn; ++column)
        text += (showNeighbours ? DayCell(first, column - firstColumn) : BlankCell) + separator;

    for (int day = 1; day <= dayCount; ++day) {
        const bool saturday = WeekdayFromDays(first + day - 1) == Weekday::Saturday;
        text += NumberCell(day) + CellEnd(saturday, separator);
    }

    if (lastColumn != SaturdayColumn) {
        for (int column = lastColumn + 1; column <= SaturdayColumn; ++column) {
            text += showNeighbours ? DayCell(last, column - lastColumn) : BlankCell;
            if (column < SaturdayColumn)
                text += separator;
        }
        text += LineEnd;
    }
    return text;
}

}  // namespace stem
