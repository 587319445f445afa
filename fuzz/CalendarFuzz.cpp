// The month calendar over random moments, modes and separators. Besides the sanitizers'
// checks, the calendar keeps its shape and its content: a title, a header and four to six
// weeks, every line ended by CR LF and below the title seven two-column cells joined by the
// whole separator; with blank cells around the month the days run 1 to the month's length
// without a gap, and with the neighbouring months' days only the blank cells change.
#include <string>
#include <vector>

#include "MyLibrary/DateTimeUnit/MonthCalendar.h"
#include "base/UnicodeText.h"
#include "fuzz/FuzzInput.h"

namespace stem {

namespace {

std::vector<Utf8String> LinesOf(const Utf8String& text)
{
    std::vector<Utf8String> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != Utf8String::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The cells of the week rows, taken at their fixed places; the separators between them are
// checked on the way.
std::vector<Utf8String> WeekCells(const std::vector<Utf8String>& lines, const Utf8String& separator)
{
    const size_t stride = 2 + separator.size();
    std::vector<Utf8String> cells;
    for (size_t row = 2; row < lines.size(); ++row) {
        FUZZ_REQUIRE(lines[row].size() == 7 * stride - separator.size());
        for (size_t column = 0; column < 7; ++column) {
            cells.push_back(lines[row].substr(column * stride, 2));
            if (column < 6)
                FUZZ_REQUIRE(lines[row].compare(column * stride + 2, separator.size(), separator) ==
                             0);
        }
    }
    return cells;
}

// The length of the title's month ("yyyy年mm月", in UTF-8), by the Gregorian rule.
int TitleMonthLength(const Utf8String& title)
{
    FUZZ_REQUIRE(title.size() == 12 && title.substr(4, 3) == "年" && title.substr(9) == "月");
    const int year = std::stoi(title.substr(0, 4));
    const int month = std::stoi(title.substr(7, 2));
    FUZZ_REQUIRE(year >= 1 && year <= 9999 && month >= 1 && month <= 12);
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap ? 29 : lengths[month - 1];
}

Utf8String DayCell(int day)
{
    return (day < 10 ? " " : "") + std::to_string(day);
}

void CheckContent(const Utf8String& blankCalendar, const Utf8String& neighbourCalendar,
                  const Utf8String& separator)
{
    const std::vector<Utf8String> blankLines = LinesOf(blankCalendar);
    const std::vector<Utf8String> neighbourLines = LinesOf(neighbourCalendar);
    FUZZ_REQUIRE(blankLines.size() >= 2 + 4 && blankLines.size() <= 2 + 6);
    FUZZ_REQUIRE(neighbourLines.size() == blankLines.size());
    FUZZ_REQUIRE(neighbourLines[0] == blankLines[0] && neighbourLines[1] == blankLines[1]);
    FUZZ_REQUIRE(blankLines[1].size() == 7 * 3 + 6 * separator.size());  // kanji of 3 bytes

    const std::vector<Utf8String> blankCells = WeekCells(blankLines, separator);
    const std::vector<Utf8String> neighbourCells = WeekCells(neighbourLines, separator);
    const int monthLength = TitleMonthLength(blankLines[0]);
    int day = 0;
    for (size_t i = 0; i < blankCells.size(); ++i) {
        if (blankCells[i] == "  ") {
            FUZZ_REQUIRE(day == 0 || day == monthLength);  // only around the month
            FUZZ_REQUIRE(neighbourCells[i] != "  ");
            continue;
        }
        FUZZ_REQUIRE(blankCells[i] == DayCell(++day));
        FUZZ_REQUIRE(neighbourCells[i] == blankCells[i]);
        if (day == 1)
            FUZZ_REQUIRE(i < 7);  // the first row holds the first day
        if (day == monthLength)
            FUZZ_REQUIRE(i + 7 >= blankCells.size());  // and the last row the last
    }
    FUZZ_REQUIRE(day == monthLength);
}

}  // namespace

}  // namespace stem

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stem;
    FuzzedDataProvider input(data, size);
    const CalendarMode mode =
        input.ConsumeBool() ? CalendarMode::NeighbourDayCells : CalendarMode::BlankNeighbourCells;
    const TDateTime value = ConsumeMoment(input);
    const WideString wideSeparator = Utf8ToWideReplacing(input.ConsumeRandomLengthString(6));
    // Checked in UTF-8, where every cell but the header's is one byte a column.
    const Utf8String separator = WideToUtf8(wideSeparator);
    const Utf8String calendar = WideToUtf8(BuildMonthCalendar(mode, wideSeparator, value));
    FUZZ_REQUIRE(calendar.size() >= 2 && calendar.compare(calendar.size() - 2, 2, "\r\n") == 0);
    if (separator.find_first_of("\r\n") == Utf8String::npos) {
        const bool neighbours = mode == CalendarMode::NeighbourDayCells;
        const Utf8String other = WideToUtf8(BuildMonthCalendar(
            neighbours ? CalendarMode::BlankNeighbourCells : CalendarMode::NeighbourDayCells,
            wideSeparator, value));
        if (neighbours)
            CheckContent(other, calendar, separator);
        else
            CheckContent(calendar, other, separator);
    }
    return 0;
}
