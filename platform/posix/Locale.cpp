// The stand-in's locale: a Japanese system (ja-JP, LCID 0x411) with the Japanese era calendar
// as its alternate calendar.
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace stem {

namespace {

const char16_t* const LongDayNames[7] = {
    u"日曜日", u"月曜日", u"火曜日", u"水曜日", u"木曜日", u"金曜日", u"土曜日",
};

const char16_t* const ShortDayNames[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

struct Era {
    int64_t firstDay;  // counted from 1970-01-01
    int firstYear;
    const char16_t* name;
};

// Latest first. A year of an era starts on 1 January; its first year is the (partial) year in
// which the era begins.
const Era Eras[] = {
    {DaysFromCivil(2019, 5, 1), 2019, u"令和"},   {DaysFromCivil(1989, 1, 8), 1989, u"平成"},
    {DaysFromCivil(1926, 12, 25), 1926, u"昭和"}, {DaysFromCivil(1912, 7, 30), 1912, u"大正"},
    {DaysFromCivil(1868, 1, 1), 1868, u"明治"},
};

// The era of a valid date; null before the first one.
const Era* EraOf(int year, int month, int day)
{
    const int64_t date = DaysFromCivil(year, month, day);
    for (const Era& era : Eras)
        if (date >= era.firstDay)
            return &era;
    return nullptr;
}

}  // namespace

namespace platform {

bool GetLocaleText(LocaleText item, Weekday weekday, WideString& text)
{
    const char16_t* wide = nullptr;
    switch (item) {
    case LocaleText::AmDesignator: wide = u"午前"; break;
    case LocaleText::PmDesignator: wide = u"午後"; break;
    case LocaleText::LongDayName: wide = LongDayNames[WeekdayIndex(weekday)]; break;
    case LocaleText::ShortDayName: wide = ShortDayNames[WeekdayIndex(weekday)]; break;
    }
    if (wide == nullptr)
        return false;
    text = wide;
    return true;
}

unsigned ThreadPrimaryLanguage()
{
    return 0x11;
}

unsigned ThreadSubLanguage()
{
    return 0x01;
}

// The year within the era in two digits, as the picture "yy" gives it ("01" in the first year).
AltCalendarEra EraOfDate(int year, int month, int day)
{
    AltCalendarEra era;
    const Era* found = IsValidDate(year, month, day) ? EraOf(year, month, day) : nullptr;
    if (found == nullptr)
        return era;
    const int eraYear = year - found->firstYear + 1;
    era.name = found->name;
    const std::string year2 = (eraYear < 10 ? "0" : "") + std::to_string(eraYear);
    era.year2.assign(year2.begin(), year2.end());
    return era;
}

}  // namespace platform

}  // namespace stem
