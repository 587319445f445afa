#include <windows.h>

#include "platform/Platform.h"

namespace stem {

namespace {

// Windows numbers its day names from Monday (SDAYNAME1) to Sunday (SDAYNAME7).
LCTYPE DayNameType(LCTYPE mondayType, Weekday weekday)
{
    return mondayType + static_cast<LCTYPE>((WeekdayIndex(weekday) + 6) % 7);
}

// Locale texts are at most 80 characters, an era's name or year a few: one call fills the
// buffer. Empty when the call fails.
constexpr int TextBufferSize = 128;

WideString TextOf(const wchar_t* buffer, int written)
{
    return written > 0 ? WideString(buffer, buffer + written - 1) : WideString();
}

// One picture of the date in the thread locale's alternate calendar; empty when it fails.
WideString AltCalendarText(const SYSTEMTIME& date, const wchar_t* picture)
{
    wchar_t buffer[TextBufferSize];
    return TextOf(buffer, GetDateFormatW(GetThreadLocale(), DATE_USE_ALT_CALENDAR, &date, picture,
                                         buffer, TextBufferSize));
}

}  // namespace

namespace platform {

bool GetLocaleText(LocaleText item, Weekday weekday, WideString& text)
{
    LCTYPE type = 0;
    switch (item) {
    case LocaleText::AmDesignator: type = LOCALE_S1159; break;
    case LocaleText::PmDesignator: type = LOCALE_S2359; break;
    case LocaleText::LongDayName: type = DayNameType(LOCALE_SDAYNAME1, weekday); break;
    case LocaleText::ShortDayName: type = DayNameType(LOCALE_SABBREVDAYNAME1, weekday); break;
    }
    wchar_t buffer[TextBufferSize];
    const int written = GetLocaleInfoW(GetThreadLocale(), type, buffer, TextBufferSize);
    text = TextOf(buffer, written);
    return written > 0;
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
    return {AltCalendarText(date, L"gg"), AltCalendarText(date, L"yy")};
}

}  // namespace platform

}  // namespace stem
