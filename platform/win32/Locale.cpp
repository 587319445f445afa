#include <windows.h>

#include <vector>

#include "platform/Platform.h"

namespace {

// Windows numbers its day names from Monday (SDAYNAME1) to Sunday (SDAYNAME7).
LCTYPE DayNameType(LCTYPE mondayType, int weekday)
{
    return mondayType + static_cast<LCTYPE>((weekday + 5) % 7);
}

}  // namespace

namespace platform {

bool GetLocaleText(LocaleText item, int weekday, AnsiString& text)
{
    LCTYPE type = 0;
    switch (item) {
    case LocaleText::AmDesignator: type = LOCALE_S1159; break;
    case LocaleText::PmDesignator: type = LOCALE_S2359; break;
    case LocaleText::LongDayName: type = DayNameType(LOCALE_SDAYNAME1, weekday); break;
    case LocaleText::ShortDayName: type = DayNameType(LOCALE_SABBREVDAYNAME1, weekday); break;
    }
    if ((item == LocaleText::LongDayName || item == LocaleText::ShortDayName) &&
        (weekday < 1 || weekday > 7))
        return false;
    const LCID locale = GetThreadLocale();
    const int size = GetLocaleInfoA(locale, type, nullptr, 0);
    if (size <= 0)
        return false;
    std::vector<char> buffer(static_cast<size_t>(size));
    const int written = GetLocaleInfoA(locale, type, buffer.data(), size);
    if (written <= 0)
        return false;
    text.assign(buffer.data(), static_cast<size_t>(written - 1));
    return true;
}

unsigned ThreadPrimaryLanguage()
{
    return PRIMARYLANGID(LANGIDFROMLCID(GetThreadLocale()));
}

unsigned ThreadSubLanguage()
{
    return SUBLANGID(LANGIDFROMLCID(GetThreadLocale()));
}

bool FormatAltCalendarDate(int year, int month, int day, const char* picture, AnsiString& text)
{
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    const LCID locale = GetThreadLocale();
    const int size = GetDateFormatA(locale, DATE_USE_ALT_CALENDAR, &date, picture, nullptr, 0);
    if (size <= 0)
        return false;
    std::vector<char> buffer(static_cast<size_t>(size));
    const int written =
        GetDateFormatA(locale, DATE_USE_ALT_CALENDAR, &date, picture, buffer.data(), size);
    if (written <= 0)
        return false;
    text.assign(buffer.data(), static_cast<size_t>(written - 1));
    return true;
}

}  // namespace platform
