#include <windows.h>

#include <vector>

#include "platform/Platform.h"

namespace stem {

namespace {

// Windows numbers its day names from Monday (SDAYNAME1) to Sunday (SDAYNAME7).
LCTYPE DayNameType(LCTYPE mondayType, Weekday weekday)
{
    return mondayType + static_cast<LCTYPE>((WeekdayIndex(weekday) + 6) % 7);
}

// The text of a size query and a fill: false when either fails.
template <typename Call>
bool TextOf(Call call, AnsiString& text)
{
    const int size = call(nullptr, 0);
    if (size <= 0)
        return false;
    std::vector<char> buffer(static_cast<size_t>(size));
    const int written = call(buffer.data(), size);
    if (written <= 0)
        return false;
    text.assign(buffer.data(), static_cast<size_t>(written - 1));
    return true;
}

// One picture of the date in the thread locale's alternate calendar; empty when it fails.
AnsiString AltCalendarText(const SYSTEMTIME& date, const char* picture)
{
    const LCID locale = GetThreadLocale();
    AnsiString text;
    TextOf(
        [&](char* buffer, int size) {
            return GetDateFormatA(locale, DATE_USE_ALT_CALENDAR, &date, picture, buffer, size);
        },
        text);
    return text;
}

}  // namespace

namespace platform {

bool GetLocaleText(LocaleText item, Weekday weekday, AnsiString& text)
{
    LCTYPE type = 0;
    switch (item) {
    case LocaleText::AmDesignator: type = LOCALE_S1159; break;
    case LocaleText::PmDesignator: type = LOCALE_S2359; break;
    case LocaleText::LongDayName: type = DayNameType(LOCALE_SDAYNAME1, weekday); break;
    case LocaleText::ShortDayName: type = DayNameType(LOCALE_SABBREVDAYNAME1, weekday); break;
    }
    const LCID locale = GetThreadLocale();
    return TextOf(
        [&](char* buffer, int size) { return GetLocaleInfoA(locale, type, buffer, size); }, text);
}

unsigned ThreadPrimaryLanguage()
{
    return PRIMARYLANGID(LANGIDFROMLCID(GetThreadLocale()));
}

unsigned ThreadSubLanguage()
{
    return SUBLANGID(LANGIDFROMLCID(GetThreadLocale()));
}

AltCalendarEra EraOfDate(int year, int month, int day)
{
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    return {AltCalendarText(date, "gg"), AltCalendarText(date, "yy")};
}

}  // namespace platform

}  // namespace stem
